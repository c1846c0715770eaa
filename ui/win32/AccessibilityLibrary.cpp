#include "ui/win32/AccessibilityLibrary.h"

#include <memory>
#include <string>

namespace win32 {

namespace {

UniqueModule LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return UniqueModule();
    }
    const std::string path = std::string(folder, length) + "\\" + name;
    return UniqueModule(::LoadLibraryA(path.c_str()));
}

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return function != nullptr;
}

}  // namespace

const AccessibilityLibrary* AccessibilityLibrary::Get() {
    // Tried once; kept until the program ends.
    static const std::unique_ptr<AccessibilityLibrary> library = [] {
        auto loaded = std::make_unique<AccessibilityLibrary>();
        if (!loaded->Load()) {
            loaded.reset();
        }
        return loaded;
    }();
    return library.get();
}

bool AccessibilityLibrary::Load() {
    ole32_ = LoadSystemLibrary("ole32.dll");
    oleaut32_ = LoadSystemLibrary("oleaut32.dll");
    oleacc_ = LoadSystemLibrary("oleacc.dll");
    if (!ole32_ || !oleaut32_ || !oleacc_) {
        return false;
    }
    decltype(&::CoInitialize) coInitialize = nullptr;
    if (!Find(oleacc_.get(), "LresultFromObject", ResultFromObject) ||
        !Find(oleacc_.get(), "CreateStdAccessibleObject", StdAccessibleObject) ||
        !Find(oleaut32_.get(), "SysAllocStringLen", AllocString) ||
        !Find(ole32_.get(), "CoInitialize", coInitialize)) {
        return false;
    }
    // S_FALSE: this thread had COM already; it still counts for the CoUninitialize.
    const HRESULT started = coInitialize(nullptr);
    comStarted_ = SUCCEEDED(started);
    return comStarted_ || started == RPC_E_CHANGED_MODE;
}

AccessibilityLibrary::~AccessibilityLibrary() {
    decltype(&::CoUninitialize) coUninitialize = nullptr;
    if (comStarted_ && Find(ole32_.get(), "CoUninitialize", coUninitialize)) {
        coUninitialize();
    }
}

}  // namespace win32
