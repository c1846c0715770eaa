// quorvin.exe on Windows: the command-line program over the real platform.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Profile.h"
#include "cli/TextFile.h"
#include "hardening/DllSearch.h"

namespace {

// The program's text is in the ANSI code page. A console shows the OEM code page, so
// text for a console goes to it as UTF-16 (WriteConsoleW) and reads right whatever the
// page; redirected output (a file, a pipe) stays in the ANSI code page, byte for byte.
void WriteText(std::FILE* stream, DWORD standardHandle, const std::string& text) {
    const HANDLE handle = ::GetStdHandle(standardHandle);
    DWORD mode = 0;
    if (text.empty() || handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        !::GetConsoleMode(handle, &mode)) {
        cli::WriteStream(stream, text);
        return;
    }
    std::fflush(stream);
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 0));
    DWORD written = 0;
    if (length <= 0 ||
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length) != length ||
        !::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written, nullptr)) {
        cli::WriteStream(stream, text);
    }
}

}  // namespace

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
    io.progress = [](const std::string& line) { WriteText(stderr, STD_ERROR_HANDLE, line + '\n'); };
    const int code = cli::RunCli(args, io);
    WriteText(stdout, STD_OUTPUT_HANDLE, io.out);
    WriteText(stderr, STD_ERROR_HANDLE, io.err);
    return code;
}
