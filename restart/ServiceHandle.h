// Owns one handle of the service control manager (the manager's or a service's) and
// closes it with CloseServiceHandle. A handle that failed to open (null) is never closed.
#pragma once

#include "base/UniqueHandle.h"
#include "platform/Platform.h"

namespace restart {

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { plat::CloseServiceHandle(handle); }
};

using ServiceHandle = base::UniqueHandle<ServiceHandleTraits>;

}  // namespace restart
