// Full path names as Windows forms them: a relative name is resolved against the
// machine's current directory, '/' becomes '\', "." and ".." components and
// repeated separators are dropped. The ANSI call reads and gives names in the ANSI
// code page (SimNames.h), the wide one in UTF-16.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimNames.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimText.h"

namespace {

bool IsDriveRoot(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// The name joined to what it is relative to, still with "." and "..".
std::string Joined(std::string name, const std::string& current) {
    for (char& c : name) {
        c = c == '/' ? '\\' : c;
    }
    if (name.rfind("\\\\", 0) == 0 || IsDriveRoot(name)) {
        return name;
    }
    if (name.size() >= 2 && name[1] == ':') {
        // Relative to a drive's current directory: the machine's own on its drive,
        // the root on any other.
        const bool sameDrive = sim::EqualNoCase(name.substr(0, 1), current.substr(0, 1));
        return (sameDrive ? current + "\\" : name.substr(0, 2) + "\\") + name.substr(2);
    }
    if (name.front() == '\\') {
        return current.substr(0, 2) + name;
    }
    return current + "\\" + name;
}

// The root ("C:\" or "\\server\share\") and the normalised components after it.
std::string Normalised(const std::string& path) {
    std::size_t rootEnd = 3;
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : path.find('\\', server + 1);
        rootEnd = share == std::string::npos ? path.size() : share + 1;
    }
    std::string result = path.substr(0, rootEnd);
    std::vector<std::string> parts;
    std::size_t start = rootEnd;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        result += (i ? "\\" : "") + parts[i];
    }
    if (path.size() > rootEnd && path.back() == '\\' && !parts.empty()) {
        result += '\\';
    }
    return result;
}

// GetFullPathName's buffer protocol for the full path in the caller's width.
template <typename Char>
DWORD CopyFullPath(const std::basic_string<Char>& full, DWORD size, Char* buffer, Char** filePart) {
    const auto length = static_cast<DWORD>(full.size());
    if (buffer == nullptr || size <= length) {
        return length + 1;
    }
    std::copy(full.begin(), full.end(), buffer);
    buffer[length] = 0;
    if (filePart != nullptr) {
        const std::size_t last = full.rfind(Char('\\'));
        *filePart = last + 1 < full.size() ? buffer + last + 1 : nullptr;
    }
    return length;
}

std::string FullName(const std::string& name) {
    return Normalised(Joined(name, sim::Current().currentDirectory));
}

}  // namespace

namespace plat {

DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                       LPWSTR* lpFilePart) {
    if (sim::EnterCall("GetFullPathNameW", [&] {
            return "name=" + sim::WideArg(lpFileName) + " size=" + std::to_string(nBufferLength);
        })) {
        return 0;
    }
    if (lpFileName == nullptr || *lpFileName == 0) {
        return 0;
    }
    const std::u16string full = sim::Utf16(FullName(sim::Utf8(sim::WideText(lpFileName))));
    return CopyFullPath(std::basic_string<WCHAR>(full.begin(), full.end()), nBufferLength, lpBuffer,
                        lpFilePart);
}

}  // namespace plat
