// The program's resources as the loader and the window see them: the embedded
// manifest (and that the loader acts on it) and the main icon's picture.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "tests/wine/SuiteHandles.h"
#include "ui/res/ResourceIds.h"

namespace {

struct IconDeleter {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using UniqueGdiObject = std::unique_ptr<void, GdiObjectDeleter>;
using winbed::UniqueModule;

// Selects an object into a DC and puts the previous one back.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selection() { ::SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

std::string ResourceBytes(LPCSTR name, LPCSTR type) {
    const HRSRC found = ::FindResourceA(nullptr, name, type);
    if (found == nullptr) {
        return {};
    }
    const HGLOBAL loaded = ::LoadResource(nullptr, found);
    const auto* data = static_cast<const char*>(::LockResource(loaded));
    return data ? std::string(data, ::SizeofResource(nullptr, found)) : std::string();
}

// What the loader chose for this process from the manifest's dpiAware setting.
int ProcessDpiAwareness() {
    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    const auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto getAwareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (getContext == nullptr || getAwareness == nullptr) {
        return -1;
    }
    return getAwareness(getContext());
}

// Where this process's comctl32.dll comes from: the side-by-side Common Controls
// 6.0 assembly only when the manifest's dependency took effect. (Wine's copy there
// reports version 5.81 through DllGetVersion, so the path is what tells.)
std::string CommonControlsPath() {
    const UniqueModule comctl(::LoadLibraryA("comctl32.dll"));
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(comctl.get(), path, MAX_PATH);
    std::string lower(path);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

}  // namespace

TEST(Resources, ManifestDeclaresWhatTheProgramNeeds) {
    const std::string manifest = ResourceBytes(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
#ifdef _WIN64
#define QUORVIN_TEST_ARCH "amd64"
#else
#define QUORVIN_TEST_ARCH "X86"
#endif
    const char* const expected[] = {
        "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"" QUORVIN_TEST_ARCH "\"",
        "type=\"win32\"/>",
        "<description>Kordane Setup</description>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
        "processorArchitecture=\"" QUORVIN_TEST_ARCH
        "\" publicKeyToken=\"6595b64144ccf1df\" "
        "language=\"*\"",
        "<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">True/PM"
        "</dpiAware>",
    };
    for (const char* text : expected) {
        EXPECT_NE(manifest.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(manifest.find('\0'), std::string::npos) << "a NUL inside the manifest";
}

TEST(Resources, LoaderActsOnTheManifest) {
    const std::string comctl = CommonControlsPath();
    EXPECT_NE(comctl.find("\\winsxs\\"), std::string::npos) << comctl;
    EXPECT_NE(comctl.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::string::npos)
        << comctl;
    EXPECT_EQ(ProcessDpiAwareness(), 2) << "not per-monitor aware";
}

TEST(Resources, MainIconIsOne32By32ImageOf16Colours) {
    // The icon group: a header of three words, then one 14-byte entry per image.
    const std::string group = ResourceBytes(MAKEINTRESOURCEA(IDI_SETUP_MAIN), RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 6u + 14u);
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(group[i]); };
    EXPECT_EQ(byte(4) | byte(5) << 8, 1) << "image count";
    EXPECT_EQ(byte(6), 32);  // width
    EXPECT_EQ(byte(7), 32);  // height
    EXPECT_EQ(byte(8), 16);  // colours
    EXPECT_EQ(byte(12) | byte(13) << 8, 4) << "bits per pixel";
}

TEST(Resources, MainIconShowsTheMouseAndTheGauge) {
    const UniqueIcon icon(static_cast<HICON>(::LoadImageA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP_MAIN), IMAGE_ICON, 32, 32, 0)));
    ASSERT_NE(icon, nullptr);

    // Draw it on blue in a 32-bit top-down DIB and read the pixels back.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueDc dc(::CreateCompatibleDC(nullptr));
    const UniqueGdiObject bitmap(
        ::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_NE(bitmap, nullptr);
    const UniqueGdiObject blue(::CreateSolidBrush(RGB(0, 0, 255)));
    {
        const Selection selection(dc.get(), bitmap.get());
        const RECT all{0, 0, 32, 32};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(blue.get()));
        ::DrawIconEx(dc.get(), 0, 0, icon.get(), 32, 32, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
    }
    const auto* pixels = static_cast<const DWORD*>(bits);
    const auto at = [&](int x, int y) { return pixels[y * 32 + x] & 0xFFFFFF; };

    EXPECT_EQ(at(0, 0), 0x0000FFu) << "the corner is transparent";
    EXPECT_EQ(at(31, 0), 0x0000FFu) << "the corner is transparent";
    EXPECT_EQ(at(13, 22), 0xC0C0C0u) << "the mouse's body is silver";
    EXPECT_EQ(at(13, 0), 0x000000u) << "the cable is black";
    EXPECT_EQ(at(18, 28), 0x00FF00u) << "the gauge's slow end is green";
    EXPECT_EQ(at(30, 28), 0xFF0000u) << "the gauge's fast end is red";
}
