#include "platform/sim/SimDisk.h"

#include <algorithm>
#include <cctype>

#include "platform/Platform.h"

namespace sim {

namespace {

constexpr int kMaxLinkDepth = 8;

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

}  // namespace

Disk::Disk() {
    AddFolder("C:", "SY", kProgramDataDacl);
    AddFolder(kProgramData, "SY", kProgramDataDacl);
}

std::string Disk::KeyOf(const std::string& path) {
    std::string key = path;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return key;
}

std::string Disk::ParentOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void Disk::AddFolder(const std::string& path, const std::string& owner, const std::string& dacl) {
    DiskEntry entry;
    entry.folder = true;
    entry.owner = owner;
    entry.dacl = dacl;
    entries[KeyOf(path)] = entry;
}

void Disk::AddFile(const std::string& path, const std::string& content, const std::string& owner,
                   const std::string& dacl) {
    DiskEntry entry;
    entry.owner = owner;
    entry.dacl = dacl;
    entry.content = content;
    entry.durable = content;
    entries[KeyOf(path)] = entry;
}

void Disk::AddLink(const std::string& path, const std::string& target, bool folder,
                   const std::string& owner) {
    DiskEntry entry;
    entry.folder = folder;
    entry.linkTarget = target;
    entry.owner = owner;
    entry.dacl = "D:(A;;FA;;;WD)";
    entries[KeyOf(path)] = entry;
}

bool Disk::Exists(const std::string& path) const {
    return entries.count(KeyOf(path)) != 0;
}

DiskEntry* Disk::Find(const std::string& path) {
    const auto found = entries.find(KeyOf(path));
    return found == entries.end() ? nullptr : &found->second;
}

DiskEntry& Disk::Get(const std::string& path) {
    return entries.at(KeyOf(path));
}

std::vector<std::string> Disk::Paths() const {
    std::vector<std::string> paths;
    for (const auto& [path, entry] : entries) {
        paths.push_back(path);
    }
    return paths;
}

void Disk::Crash() {
    for (auto rename = pendingRenames.rbegin(); rename != pendingRenames.rend(); ++rename) {
        const auto moved = entries.find(KeyOf(rename->to));
        if (moved != entries.end()) {
            entries[KeyOf(rename->from)] = moved->second;
            entries.erase(moved);
        }
        if (rename->replaced) {
            entries[KeyOf(rename->to)] = *rename->replaced;
        }
    }
    pendingRenames.clear();
    for (auto& [path, entry] : entries) {
        entry.content = entry.durable;
    }
    handles.clear();
    localBlocks.clear();
}

std::string Disk::Resolve(const std::string& path, bool followLast) const {
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        const std::vector<std::string> parts = Components(current);
        std::string prefix;
        bool redirected = false;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            prefix += (i == 0 ? "" : "\\") + parts[i];
            const bool last = i + 1 == parts.size();
            const auto found = entries.find(KeyOf(prefix));
            if (found == entries.end() || !found->second.linkTarget || (last && !followLast)) {
                continue;
            }
            std::string rest;
            for (std::size_t j = i + 1; j < parts.size(); ++j) {
                rest += "\\" + parts[j];
            }
            current = *found->second.linkTarget + rest;
            redirected = true;
            break;
        }
        if (!redirected) {
            return current;
        }
    }
    return {};
}

bool Disk::CountCall() {
    if (stopped) {
        return true;
    }
    if (crashAfterCalls <= 0 || --crashAfterCalls > 0) {
        return false;
    }
    Crash();
    stopped = true;
    return true;
}

DWORD AttributesOf(const DiskEntry& entry) {
    DWORD attributes = entry.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (entry.linkTarget) {
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    }
    return attributes;
}

DWORD DiskAttributes(Disk& disk, const std::string& path) {
    const std::string resolved = disk.Resolve(path, false);
    const DiskEntry* entry = resolved.empty() ? nullptr : disk.Find(resolved);
    return entry == nullptr ? INVALID_FILE_ATTRIBUTES : AttributesOf(*entry);
}

bool CloseDiskHandle(Disk& disk, std::uintptr_t handle) {
    if (disk.handles.count(handle) == 0) {
        return false;
    }
    if (disk.CountCall()) {
        return true;  // the crash took the handle with it
    }
    disk.handles.erase(handle);
    return true;
}

}  // namespace sim
