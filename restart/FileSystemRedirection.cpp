#include "restart/FileSystemRedirection.h"

#include "platform/Platform.h"

namespace restart {

namespace {

FARPROC Kernel32Entry(const char* name) {
    return plat::GetProcAddress(plat::GetModuleHandleA("kernel32.dll"), name);
}

}  // namespace

FileSystemRedirectionOff::FileSystemRedirectionOff() {
    const FARPROC entry = Kernel32Entry("Wow64DisableWow64FsRedirection");
    if (entry == nullptr) {
        return;
    }
    // Through void(*)() because a FARPROC has no usable signature of its own.
    const auto disable = reinterpret_cast<plat::Wow64DisableWow64FsRedirectionFn>(
        reinterpret_cast<void (*)()>(entry));
    active_ = disable(&old_) != 0;
}

FileSystemRedirectionOff::~FileSystemRedirectionOff() {
    if (!active_) {
        return;
    }
    const FARPROC entry = Kernel32Entry("Wow64RevertWow64FsRedirection");
    if (entry != nullptr) {
        const auto revert = reinterpret_cast<plat::Wow64RevertWow64FsRedirectionFn>(
            reinterpret_cast<void (*)()>(entry));
        revert(old_);
    }
}

}  // namespace restart
