// The window classes of our own: the setup window, its panels, the device grid and
// the hidden application window. Registered once per process.
#pragma once

#include <windows.h>

namespace win32 {

inline constexpr const char* kFormClassName = "TfrmSetup";
inline constexpr const char* kPanelClassName = "QuorvinPanel";
inline constexpr const char* kGridClassName = "QuorvinDrawGrid";
inline constexpr const char* kApplicationClassName = "QuorvinApplication";

// Registers the classes that are not registered yet; raises when one cannot be.
void RegisterWindowClasses(HINSTANCE instance);

}  // namespace win32
