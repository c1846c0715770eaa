// Restarting a device and installing the driver service, in-process or, under
// WOW64, through the 64-bit companion program. Failures are silent.
#pragma once

#include "platform/WinTypes.h"

class TDevice;

// A property-change request to the class installer for the device's pair.
void RestartDevice(TDevice& device);
// Whether this process runs under WOW64; asked anew on every call.
bool IsWow64();
// The Restart button: the companion under WOW64, RestartDevice otherwise.
void RequestDeviceRestart(TDevice& device, HWND owner);
// The Install Service button: the companion under WOW64, the "install" verb otherwise.
void RequestServiceInstall(HWND owner);
