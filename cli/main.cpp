// quorvin.exe on Windows: the command-line program over the real platform.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Profile.h"
#include "cli/TextFile.h"
#include "hardening/DllSearch.h"

int main(int argc, char** argv) {
    // Run elevated from a Downloads folder like the window: no DLL from there.
    hardening::RestrictDllSearch();
    const std::vector<std::string> args(argv + 1, argv + argc);
    // A profile piped in arrives byte for byte, UTF-16 included.
    _setmode(_fileno(stdin), _O_BINARY);
    cli::CliIo io;
    io.readInput = [] {
        return cli::ReadStream(stdin, 2 * cli::kProfileMaxBytes).value_or(std::string());
    };
    io.progress = [](const std::string& line) { cli::WriteStream(stderr, line + '\n'); };
    const int code = cli::RunCli(args, io);
    cli::WriteStream(stdout, io.out);
    cli::WriteStream(stderr, io.err);
    return code;
}
