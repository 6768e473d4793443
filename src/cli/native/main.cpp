// The command-line program on a POSIX system.
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_program.h"
#include "cli/native/posix_file_system.h"
#include "cli/read_only_file_system.h"
#include "cli/utf8_text.h"

namespace {

class SystemClock : public tindlow::Clock {
  public:
    tindlow::LocalTime localTime() const override {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        tm local{};
        localtime_r(&now.tv_sec, &local);
        return {local.tm_year + 1900,
                local.tm_mon + 1,
                local.tm_mday,
                local.tm_hour,
                local.tm_min,
                local.tm_sec,
                static_cast<int>(now.tv_nsec / 1000000)};
    }
    std::uint64_t tickCount() const override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
               static_cast<std::uint64_t>(now.tv_nsec / 1000000);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const tindlow::CliParse parse = tindlow::parseCliArguments(arguments);
    if (!parse.request) {
        return tindlow::refuseArguments(parse.error, std::cerr);
    }
    const std::string directory = tindlow::utf8FromWide(parse.request->directory);
    tindlow::PosixFileSystem system(directory.empty() ? std::string(".") : directory);
    tindlow::ReadOnlyFileSystem files(system);
    const SystemClock clock;
    tindlow::CliSystem cli{files, clock, std::cout, std::cerr, true};
    const int status = tindlow::runCli(*parse.request, cli);
    // Ends without freeing what the command loaded (see CliSystem::processEndsAfter) and
    // without the static destructors; the output is flushed first.
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(status);
}
