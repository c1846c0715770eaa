// Owners of GDI objects (fonts, brushes, bitmaps, pens): each deletes its object
// with DeleteObject when it goes, and none is copied.
#pragma once

#include <windows.h>

#include "base/UniqueHandle.h"

namespace win32 {

template <typename GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::DeleteObject(handle); }
};

template <typename Handle>
using GdiObject = base::UniqueHandle<GdiObjectTraits<Handle>>;

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;

}  // namespace win32
