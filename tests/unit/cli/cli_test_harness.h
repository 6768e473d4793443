#pragma once
// The command-line program on the fake file system: arguments in, exit status and both output
// streams out, as a shell would see them.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_program.h"
#include "cli/read_only_file_system.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_file_system.h"

namespace tindlow {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

struct CliHarness {
    FakeFileSystem files;
    // Wednesday 09.12.2026 08:30:00, the moment of the golden files.
    FakeClock clock{LocalTime{2026, 12, 9, 8, 30, 0, 0}};

    explicit CliHarness(const std::wstring& root = L"C:\\P") { files.setCurrentDirectory(root); }

    CliRun run(const std::vector<std::string>& arguments) {
        CliRun result;
        std::ostringstream out;
        std::ostringstream err;
        const CliParse parse = parseCliArguments(arguments);
        if (!parse.request) {
            result.status = refuseArguments(parse.error, err);
        } else {
            ReadOnlyFileSystem readOnly(files);
            CliSystem system{readOnly, clock, out, err};
            result.status = runCli(*parse.request, system);
        }
        result.out = out.str();
        result.err = err.str();
        return result;
    }
};

}  // namespace tindlow
