#include "input/InterfaceName.h"

#include <algorithm>

namespace input {

std::string CollectionIdFromInterfaceName(std::string_view name) {
    // "\\?\" from user mode, "\??\" as some versions hand it out.
    if (name.size() < 4 || name[0] != '\\' || (name[1] != '\\' && name[1] != '?') ||
        name[2] != '?' || name[3] != '\\') {
        return {};
    }
    name.remove_prefix(4);
    const std::size_t classStart = name.rfind("#{");
    if (classStart == std::string_view::npos || name.back() != '}') {
        return {};
    }
    name = name.substr(0, classStart);
    // An instance ID has three parts: enumerator, device ID, instance.
    if (std::count(name.begin(), name.end(), '#') != 2 || name.front() == '#' ||
        name.back() == '#' || name.find("##") != std::string_view::npos ||
        name.find('\\') != std::string_view::npos) {
        return {};
    }
    std::string id = base::UpperAscii(name);
    std::replace(id.begin(), id.end(), '#', '\\');
    return id;
}

}  // namespace input
