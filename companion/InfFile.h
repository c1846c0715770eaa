// Owns one open setup information file and closes it with SetupCloseInfFile. A file
// that failed to open (INVALID_HANDLE_VALUE, or null) is never closed.
#pragma once

#include "base/UniqueHandle.h"
#include "platform/Platform.h"

namespace companion {

struct InfFileTraits {
    using Handle = HINF;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle inf) { return inf != INVALID_HANDLE_VALUE && inf != nullptr; }
    static void Close(Handle inf) { plat::SetupCloseInfFile(inf); }
};

using InfFile = base::UniqueHandle<InfFileTraits>;

}  // namespace companion
