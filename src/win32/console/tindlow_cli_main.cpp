// The command-line program as a Windows console program. Windows finds no difference between
// Tindlow.exe and tindlow.exe, so this one is tindlow-cli.exe.
#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_program.h"
#include "cli/read_only_file_system.h"
#include "cli/utf8_text.h"
#include "win32/win32_platform.h"

int wmain(int argc, wchar_t** argv) {
    // The output is UTF-8; a console shows it right only with this code page.
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(tindlow::utf8FromWide(argv[i]));
    }
    const tindlow::CliParse parse = tindlow::parseCliArguments(arguments);
    if (!parse.request) {
        return tindlow::refuseArguments(parse.error, std::cerr);
    }
    const std::wstring& directory = parse.request->directory;
    if (!directory.empty() && SetCurrentDirectoryW(directory.c_str()) == 0) {
        std::cerr << "tindlow: the program directory cannot be read: "
                  << tindlow::utf8FromWide(directory) << "\n";
        return tindlow::kExitNoDirectory;
    }
    tindlow::win32::RealFileSystem system;
    tindlow::ReadOnlyFileSystem files(system);
    const tindlow::win32::RealClock clock;
    tindlow::CliSystem cli{files, clock, std::cout, std::cerr, true};
    const int status = tindlow::runCli(*parse.request, cli);
    // Ends without freeing what the command loaded (see CliSystem::processEndsAfter) and
    // without the static destructors; the output is flushed first.
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(status);
}
