#include "bench/wine/CallTimer.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <setupapi.h>
#include <cfgmgr32.h>

namespace winbench {
namespace {

constexpr int kFirstId = __COUNTER__ + 1;
constexpr std::size_t kMaxHooks = 64;

struct Counter {
    long long count = 0;
    long long ticks = 0;
};
std::array<Counter, kMaxHooks> counters;

template <int Id, typename Fn>
struct Hook;

// One wrapper per hooked function: the same signature, the call timed around it.
template <int Id, typename R, typename... Args>
struct Hook<Id, R (*)(Args...)> {
    static inline R (*original)(Args...) = nullptr;
    static R Call(Args... args) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        R result = original(args...);
        ::QueryPerformanceCounter(&end);
        Counter& counter = counters[Id - kFirstId];
        ++counter.count;
        counter.ticks += end.QuadPart - start.QuadPart;
        return result;
    }
};

struct Entry {
    const char* name;
    void* wrapper;
    void** original;
    std::size_t index;
    bool redirected = false;
};

template <typename T>
void* Address(T pointer) {
    void* address = nullptr;
    static_assert(sizeof pointer == sizeof address);
    std::memcpy(&address, &pointer, sizeof address);
    return address;
}

template <int Id, typename Fn>
Entry MakeEntry(const char* name) {
    using H = Hook<Id, Fn>;
    static_assert(Id - kFirstId < static_cast<int>(kMaxHooks));
    return Entry{name, Address(&H::Call), reinterpret_cast<void**>(&H::original),
                 static_cast<std::size_t>(Id - kFirstId)};
}

#define QUORVIN_HOOK(name) MakeEntry<__COUNTER__, decltype(&::name)>(#name)

// The platform functions of the seam and the drawing calls of a grid paint.
std::vector<Entry>& Entries() {
    static std::vector<Entry> entries = {
        QUORVIN_HOOK(SetupDiGetClassDevsA),
        QUORVIN_HOOK(SetupDiCreateDeviceInfoList),
        QUORVIN_HOOK(SetupDiEnumDeviceInfo),
        QUORVIN_HOOK(SetupDiDestroyDeviceInfoList),
        QUORVIN_HOOK(SetupDiOpenDeviceInfoA),
        QUORVIN_HOOK(SetupDiGetDeviceRegistryPropertyA),
        QUORVIN_HOOK(SetupDiGetDeviceInstanceIdA),
        QUORVIN_HOOK(SetupDiOpenDevRegKey),
        QUORVIN_HOOK(CM_Get_Device_ID_Size),
        QUORVIN_HOOK(CM_Get_Device_IDA),
        QUORVIN_HOOK(CM_Get_Parent),
        QUORVIN_HOOK(CM_Get_Child),
        QUORVIN_HOOK(CM_Get_Sibling),
        QUORVIN_HOOK(RegQueryValueExA),
        QUORVIN_HOOK(RegCloseKey),
        QUORVIN_HOOK(ExtTextOutA),
        QUORVIN_HOOK(FillRect),
        QUORVIN_HOOK(DrawEdge),
        QUORVIN_HOOK(DrawFocusRect),
        QUORVIN_HOOK(SetTextColor),
        QUORVIN_HOOK(SetBkColor),
        QUORVIN_HOOK(RectVisible),
        QUORVIN_HOOK(SelectObject),
        QUORVIN_HOOK(BeginPaint),
        QUORVIN_HOOK(EndPaint),
    };
    return entries;
}

#undef QUORVIN_HOOK

void Write(void** slot, void* value) {
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof value, PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof value, old, &old);
}

}  // namespace

void* RedirectImport(const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* module =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         module->Name != 0; ++module) {
        if (module->OriginalFirstThunk == 0) {
            continue;
        }
        const auto* names =
            reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(name, reinterpret_cast<const char*>(byName->Name)) == 0) {
                auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
                void* previous = *slot;
                Write(slot, replacement);
                return previous;
            }
        }
    }
    return nullptr;
}

CallTimer::CallTimer() {
    for (Entry& entry : Entries()) {
        *entry.original = RedirectImport(entry.name, entry.wrapper);
        entry.redirected = *entry.original != nullptr;
    }
    Clear();
}

CallTimer::~CallTimer() {
    for (Entry& entry : Entries()) {
        if (entry.redirected) {
            RedirectImport(entry.name, *entry.original);
            entry.redirected = false;
        }
    }
}

void CallTimer::Clear() {
    counters = {};
}

std::vector<CallStats> CallTimer::Results() const {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<CallStats> results;
    for (const Entry& entry : Entries()) {
        const Counter& counter = counters[entry.index];
        if (counter.count != 0) {
            results.push_back({entry.name, counter.count,
                               1e6 * static_cast<double>(counter.ticks) /
                                   static_cast<double>(frequency.QuadPart)});
        }
    }
    std::sort(results.begin(), results.end(), [](const CallStats& a, const CallStats& b) {
        return a.microseconds > b.microseconds;
    });
    return results;
}

}  // namespace winbench
