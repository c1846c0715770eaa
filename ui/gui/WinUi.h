// The windowing names the window layer uses: message-box styles and answers, the
// clipboard format and memory flags, the device-change message and the density
// index. Real ones from the SDK on Windows, stand-ins with the same names and
// values elsewhere, like platform/WinTypes.h does for the device layers.
#pragma once

#include "platform/WinTypes.h"

#ifndef _WIN32

using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using COLORREF = DWORD;
using HGLOBAL = HANDLE;

#define MB_OK 0x00000000L
#define MB_YESNO 0x00000004L
#define MB_ICONERROR 0x00000010L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define MB_DEFBUTTON2 0x00000100L
#define MB_TYPEMASK 0x0000000FL
#define MB_DEFMASK 0x00000F00L

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

#define CF_TEXT 1
#define GMEM_MOVEABLE 0x0002
#define GMEM_DDESHARE 0x2000

#define WM_DEVICECHANGE 0x0219
#define LOGPIXELSY 90

#endif  // _WIN32

static_assert(WM_DEVICECHANGE == 0x0219, "device-change message");
static_assert((GMEM_MOVEABLE | GMEM_DDESHARE) == 0x2002, "clipboard memory flags");
