// The window classes of our own: the setup window, its panels, the device grid and
// the hidden application window, the measuring, health and
// keep-settings windows and the raw-input listener.
// Registered once per process.
#pragma once

#include <windows.h>

namespace win32 {

inline constexpr const char* kFormClassName = "TfrmSetup";
inline constexpr const char* kPanelClassName = "QuorvinPanel";
inline constexpr const char* kGridClassName = "QuorvinDrawGrid";
inline constexpr const char* kApplicationClassName = "QuorvinApplication";
inline constexpr const char* kMeasureClassName = "QuorvinMeasure";
inline constexpr const char* kHealthClassName = "QuorvinHealth";
inline constexpr const char* kRawInputClassName = "QuorvinRawInput";
inline constexpr const char* kConfirmClassName = "QuorvinKeepSettings";

// Registers the classes that are not registered yet; raises when one cannot be.
void RegisterWindowClasses(HINSTANCE instance);

}  // namespace win32
