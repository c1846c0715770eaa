// oleacc.dll, through which the device grid answers screen readers, with the COM
// entry points it needs. Loaded on the first question, not at start: most runs
// never meet a screen reader, and oleacc.dll is no DLL that Windows always takes
// from the system folder, so it is loaded by its full path there (as ole32.dll and
// oleaut32.dll, for the same reason kept out of the import table). The grid's
// thread joins a single-threaded COM apartment for the object's references to be
// handed out; it leaves it when the program ends.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include "base/UniqueHandle.h"

namespace win32 {

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle module) { ::FreeLibrary(module); }
};
using UniqueModule = base::UniqueHandle<ModuleTraits>;

class AccessibilityLibrary {
  public:
    // The library, or null when this Windows lacks it or COM cannot start on this
    // thread; the grid then answers as a plain window does.
    static const AccessibilityLibrary* Get();
    // Loads nothing yet: Get makes the one library.
    AccessibilityLibrary() = default;
    ~AccessibilityLibrary();
    AccessibilityLibrary(const AccessibilityLibrary&) = delete;
    AccessibilityLibrary& operator=(const AccessibilityLibrary&) = delete;

    decltype(&::LresultFromObject) ResultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) StdAccessibleObject = nullptr;
    decltype(&::SysAllocStringLen) AllocString = nullptr;

  private:
    bool Load();

    UniqueModule ole32_;
    UniqueModule oleaut32_;
    UniqueModule oleacc_;
    bool comStarted_ = false;
};

}  // namespace win32
