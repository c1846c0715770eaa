// The Win32 types and constants of raw input and its message-only window, the performance counter,
// device properties and text conversion. Real ones from the SDK on Windows; stand-ins with the same
// names, widths and layouts elsewhere, as platform/WinTypes.h does.
#pragma once

#include "platform/WinTypes.h"

#ifdef _WIN32

#include <devpropdef.h>

#else  // stand-ins

using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using WCHAR = char16_t;  // UTF-16, two bytes as on Windows
using PCWSTR = const WCHAR*;
using LPCWSTR = const WCHAR*;
using LPCWCH = const WCHAR*;
using LPWSTR = WCHAR*;
using LPCCH = const char*;
using LPSTR = char*;
using LPBOOL = BOOL*;
using PUINT = UINT*;
using DEVPROPTYPE = ULONG;

struct HRAWINPUT__ {
    int unused;
};
using HRAWINPUT = HRAWINPUT__*;

union LARGE_INTEGER {
    LONGLONG QuadPart;
};

struct RAWINPUTDEVICE {
    USHORT usUsagePage;
    USHORT usUsage;
    DWORD dwFlags;
    HWND hwndTarget;
};
using PCRAWINPUTDEVICE = const RAWINPUTDEVICE*;

struct RAWINPUTHEADER {
    DWORD dwType;
    DWORD dwSize;
    HANDLE hDevice;
    WPARAM wParam;
};

using LRESULT = LONG_PTR;

struct HMENU__ {
    int unused;
};
using HMENU = HMENU__*;

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using LPMSG = MSG*;

struct DEVPROPKEY {
    GUID fmtid;
    ULONG pid;
};

#define WM_INPUT 0x00FF
#define RIM_INPUT 0
#define RIM_INPUTSINK 1
#define RIM_TYPEMOUSE 0
#define RIM_TYPEKEYBOARD 1
#define RIM_TYPEHID 2
#define RID_INPUT 0x10000003
#define RID_HEADER 0x10000005
#define RIDI_DEVICENAME 0x20000007
#define RIDEV_REMOVE 0x00000001
#define RIDEV_INPUTSINK 0x00000100
#define HWND_MESSAGE (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-3)))
#define GET_RAWINPUT_CODE_WPARAM(wParam) ((wParam)&0xff)
#define PM_REMOVE 0x0001
#define QS_RAWINPUT 0x0400
#define CP_ACP 0
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define MB_ERR_INVALID_CHARS 0x00000008
#define DEVPROP_TYPE_STRING 0x00000012
#define ERROR_NOT_FOUND 1168L

#endif  // _WIN32

static_assert(sizeof(WCHAR) == 2, "UTF-16 units");
static_assert(sizeof(RAWINPUTHEADER) == 8 + 2 * sizeof(void*), "raw-input header layout");
