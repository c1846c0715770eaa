// Input on the simulated machine: raw-input devices, their reports, the performance
// counter, the ANSI code page and the bus-reported device names.
//
// - Devices. Every present HID collection (a device whose instance ID begins with
//   "HID\") is a raw-input device. Its handle is derived from its current node, so a
//   restart or an unplug makes the old handle unknown. Its name is the collection's
//   HID interface path: "\\?\" + the instance ID with '#' for '\', the instance part
//   and the interface GUID in lower case, as Windows writes them. A collection of the
//   mouse class reports as a mouse (usage 1/2), of the keyboard class as a keyboard
//   (1/6), any other as a HID consumer control (0x0C/1).
// - Rates. A collection reports, while it is moved, at its effective interval: its
//   descriptor's interval (8 ms unless set), unless a device above it had the lower
//   filter "quorvin" and a stored bInterval when it was last restarted, in which case
//   the nearest such device's bInterval in milliseconds. Each gap varies by up to
//   5 % either way (a fixed pseudo-random sequence per machine). A collection marked
//   silent at a stored rate sends nothing while a device above it started with the
//   filter and a stored bInterval, as a device that cannot keep the rate asked of it.
// - Delivery. RegisterRawInputDevices keeps one target window per usage (the last
//   registration wins; RIDEV_REMOVE drops it; RIDEV_INPUTSINK needs a window).
//   Reports wait in time order until DeliverNext hands out the next one: the clock
//   moves to its time and its HRAWINPUT stays valid until the next delivery. Reports
//   of a usage nobody registered, or of a collection that left, are dropped there.
//   GetRawInputData answers RID_HEADER only (the program reads no more).
// - Windows. CreateWindowExA makes message-only windows of the predefined "STATIC"
//   class (parent HWND_MESSAGE) and nothing else; DestroyWindow ends them.
//   PeekMessageA (no window filter, PM_REMOVE) hands out the next report due now as
//   WM_INPUT to its target window, dropping reports whose target is no such window;
//   DispatchMessageA of a WM_INPUT ends its HRAWINPUT, as DefWindowProc frees it.
//   MsgWaitForMultipleObjects with no handles waits for the next report (see
//   WaitForInput), moving the clock.
// - Clock. QueryPerformanceCounter reads a counter at 10 MHz that moves only when
//   told (SetClock, Advance, DeliverNext); it never runs backwards.
// - Text. WideCharToMultiByte(CP_ACP) converts to Windows-1252 (ASCII when the code
//   page is set to 20127); characters outside it become '?' and are reported through
//   lpUsedDefaultChar.
// - Properties. SetupApi.dll exports SetupDiGetDevicePropertyW unless told otherwise
//   (as on Windows XP); it answers DEVPKEY_Device_BusReportedDeviceDesc for devices
//   given a name, and ERROR_NOT_FOUND (as FALSE) for the rest.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/InputTypes.h"
#include "platform/sim/SimMachine.h"

namespace sim {

inline constexpr LONGLONG kCounterFrequency = 10'000'000;
inline constexpr double kDefaultDescriptorInterval = 8.0;
inline constexpr std::uintptr_t kSetupApiHandle = 0x77900000;

// --- the machine's devices ---------------------------------------------------
void SetDescriptorInterval(Machine& machine, const std::string& collectionId, double ms);
// The interval in milliseconds at which the collection reports now.
double EffectiveInterval(Machine& machine, const std::string& collectionId);
void SetSilentAtStoredRate(Machine& machine, const std::string& collectionId);
// The collections marked silent at a stored rate (a machine kept in a file keeps them).
std::vector<std::string> SilentAtStoredRate(Machine& machine);
// Called by Machine::Restart for the restarted device: it and every device below it
// take their filter and stored bInterval as they are now.
void NoteRestart(Machine& machine, const std::string& instanceId);
// What each device restarted so far started with: its stored bInterval while it
// carried the filter, nothing otherwise. A machine kept in a file keeps these.
std::map<std::string, std::optional<std::uint32_t>> StartedWith(Machine& machine);
void SetStartedWith(Machine& machine, const std::string& instanceId,
                    std::optional<std::uint32_t> interval);
// The name GetRawInputDeviceInfoA(RIDI_DEVICENAME) gives the collection.
std::string InterfaceNameOf(const std::string& collectionId);
void SetBusReportedName(Machine& machine, const std::string& instanceId,
                        const std::u16string& name);
// Every device given a bus-reported name; a machine kept in a file keeps these.
std::map<std::string, std::u16string> BusReportedNames(Machine& machine);
void SetDevicePropertyReaderPresent(Machine& machine, bool present);
void SetAnsiCodePage(Machine& machine, UINT codePage);
UINT AnsiCodePage(Machine& machine);
// A character's byte in the ANSI code page (1252 or 20127), or nothing when the page
// lacks it; the character an ANSI byte stands for, or nothing when it stands for none.
std::optional<unsigned char> AnsiByte(UINT codePage, char16_t c);
std::optional<char16_t> AnsiChar(UINT codePage, unsigned char byte);

// --- the clock ---------------------------------------------------------------
LONGLONG Clock(Machine& machine);
void SetClock(Machine& machine, LONGLONG ticks);
void Advance(Machine& machine, double milliseconds);
inline LONGLONG Ticks(double milliseconds) {
    return static_cast<LONGLONG>(milliseconds * (kCounterFrequency / 1000));
}

// --- reports -----------------------------------------------------------------
// Moves the collection for the span that starts now: its reports are queued at its
// effective interval, continuing the cadence of a movement that is still going on.
void Move(Machine& machine, const std::string& collectionId, double milliseconds);
std::size_t PendingReports(Machine& machine);
struct Delivery {
    HWND target = nullptr;
    HRAWINPUT input = nullptr;
    WPARAM code = RIM_INPUT;  // what WM_INPUT's wParam says
};
// The next report due at or before `until`, or nothing.
std::optional<Delivery> DeliverNext(Machine& machine, LONGLONG until = INT64_MAX);
// MsgWaitForMultipleObjects with no handles: waits at most `milliseconds` for a
// report. WAIT_OBJECT_0 with the clock at the next report when one comes in that
// time, WAIT_TIMEOUT with the clock moved on by it otherwise.
DWORD WaitForInput(Machine& machine, DWORD milliseconds);
// The registered usages, in registration order.
std::vector<RAWINPUTDEVICE> Registrations(Machine& machine);
// The seam's SetupDiGetDevicePropertyW, as GetProcAddress hands it out.
FARPROC DevicePropertyReader(Machine& machine);

}  // namespace sim
