// The input seam against Wine: the bus-reported name read through the late-bound
// SetupDiGetDevicePropertyW of Wine's SetupAPI on a device the bed creates, and the
// raw-input path of the program (registration, WM_INPUT, the header, the device
// name, the counter) while the pointer is moved through the X server's XTEST
// extension, which scripts/wine/run.sh --move-pointer does.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "device/DevInfo.h"
#include "device/Device.h"
#include "input/DeviceHint.h"
#include "input/RateStats.h"
#include "input/RawInputReader.h"
#include "platform/Platform.h"
#include "tests/wine/Win32DeviceBed.h"

// devpkey.h only declares its keys unless initguid.h came first; this file
// defines the one it sets.
#include <initguid.h>
#include <devpkey.h>

namespace {

const std::string kDevice = "USB\\VID_046D&PID_C08B\\QUORVINPROP1";

}  // namespace

TEST(WineDeviceInput, TheBusReportedNameIsReadThroughTheLateBoundReader) {
    Win32DeviceBed bed;
    BedDevice plan;
    plan.instanceId = kDevice;
    plan.classGuid = device::guids::GUID_DEVCLASS_HIDCLASS;
    plan.description = "USB Input Device";
    plan.hardwareIds = {"USB\\VID_046D&PID_C08B"};
    bed.Add(plan);

    const HDEVINFO set = ::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element;
    ASSERT_TRUE(::SetupDiOpenDeviceInfoA(set, kDevice.c_str(), nullptr, 0, &element));
    device::TDevice device(set, element, set);
    // Without the property the hint still has the IDs.
    EXPECT_EQ(input::BusReportedName(device), std::nullopt);
    // The SDK headers at hand do not declare the writer; SetupApi.dll exports it.
    using SetPropertyFn = BOOL(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, const DEVPROPKEY*, DEVPROPTYPE,
                                        const BYTE*, DWORD, DWORD);
    const auto setProperty = reinterpret_cast<SetPropertyFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("setupapi.dll"), "SetupDiSetDevicePropertyW")));
    ASSERT_NE(setProperty, nullptr);
    const wchar_t name[] = L"Wireless Gaming Mouse";
    const BOOL stored =
        setProperty(set, &element, &DEVPKEY_Device_BusReportedDeviceDesc, DEVPROP_TYPE_STRING,
                    reinterpret_cast<const BYTE*>(name), sizeof name, 0);
    ASSERT_TRUE(stored) << "Wine's SetupAPI stores no device property: " << ::GetLastError();
    EXPECT_EQ(input::BusReportedName(device), std::optional<std::string>("Wireless Gaming Mouse"));
    EXPECT_EQ(input::DeviceHint(device).substr(0, 22), "Wireless Gaming Mouse ");
    EXPECT_NE(input::DeviceHint(device).find("VID 046D, PID C08B"), std::string::npos);
    ::SetupDiDestroyDeviceInfoList(set);
}

namespace {

struct Collected {
    input::RawInputReader reader;
    std::vector<input::Report> reports;
};

LRESULT CALLBACK CollectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INPUT) {
        auto* collected = reinterpret_cast<Collected*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (const auto report = collected->reader.Read(reinterpret_cast<HRAWINPUT>(lParam),
                                                       GET_RAWINPUT_CODE_WPARAM(wParam))) {
            collected->reports.push_back(*report);
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(WineDeviceInput, MovingThePointerDeliversTimedReportsOfANamedDevice) {
    if (std::getenv("QUORVIN_POINTER_MOVING") == nullptr) {
        GTEST_SKIP() << "the pointer is moved only under run.sh --move-pointer";
    }
    WNDCLASSA cls{};
    cls.lpfnWndProc = CollectProc;
    cls.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "QuorvinRawInputProbe";
    ::RegisterClassA(&cls);
    // Wine's X11 driver turns pointer motion into input only where one of the
    // process's windows lies under the pointer, so the probe covers the path that
    // run.sh --move-pointer draws (100..300, 100..150).
    const HWND window =
        ::CreateWindowExA(WS_EX_TOPMOST, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                          300, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    Collected collected;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&collected));
    ASSERT_TRUE(input::RegisterRawInput(window));
    const DWORD until = ::GetTickCount() + 6000;
    while (::GetTickCount() < until && collected.reports.size() < 60) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message{};
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&message);
        }
    }
    input::UnregisterRawInput();
    ::DestroyWindow(window);
    ASSERT_GE(collected.reports.size(), 20u);
    input::RateStats stats(input::CounterFrequency());
    for (const input::Report& report : collected.reports) {
        // Wine's virtual mouse: \\?\HID#VID_845E&PID_0001#0&0000&0&0#{...}
        EXPECT_EQ(report.collectionId.rfind("HID\\VID_", 0), 0u) << report.collectionId;
        stats.Add(report.time);
    }
    const input::RateFigures figures = stats.Figures(collected.reports.back().time);
    EXPECT_TRUE(figures.enough);
    EXPECT_GT(figures.runHz, 0.0);
}
