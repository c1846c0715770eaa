#include "GuiFixture.h"

#include <vector>

namespace gui_test {

WindowImage::WindowImage(HWND window) : screen_(window), dc_(screen_.get()) {
    RECT client{};
    ::GetClientRect(window, &client);
    bitmap_ =
        win32::BitmapHandle(::CreateCompatibleBitmap(screen_.get(), client.right, client.bottom));
    selected_.emplace(dc_.get(), bitmap_.get());
    ::BitBlt(dc_.get(), 0, 0, client.right, client.bottom, screen_.get(), 0, 0, SRCCOPY);
}

GuiTest::GuiTest() : application_(::GetModuleHandleA(nullptr)) {
    sim::BuildDemoMachine(machine_);
    machine_.ClearCalls();
    application_.SetTitle("QUORVIN Setup");
}

GuiTest::~GuiTest() {
    window_.reset();
    Pump();
}

void GuiTest::Open(const std::string& arguments, bool show) {
    application_.Desktop().SetCommandLine("QuorvinSetupDemo.exe " + arguments);
    window_ = std::make_unique<win32::SetupWindow>(application_);
    boxes_.Watch(window_->Handle());
    if (show) {
        Show();
    }
}

void GuiTest::Show() {
    window_->Show(SW_SHOWNORMAL);
    Pump();
}

HWND GuiTest::Grid() const {
    return window_->ControlHandle(*window_->Form().dgDevices);
}

void GuiTest::Pump() {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        if (window_ == nullptr || !window_->PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

void GuiTest::Click(const gui::TControl& control) {
    ::SendMessageA(Handle(control), BM_CLICK, 0, 0);
    Pump();
}

void GuiTest::Key(HWND window, WPARAM key) {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
    Pump();
}

void GuiTest::ClickCell(int col, int row) {
    const gui::TRect cell = Form().dgDevices->CellRect(col, row);
    const LPARAM point = MAKELPARAM((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    ::SendMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(Grid(), WM_LBUTTONUP, 0, point);
    Pump();
}

int GuiTest::IndexOf(const std::string& instanceId) {
    for (int i = 0; i < Form().DeviceList->Count(); ++i) {
        if (Form().DeviceList->GetDevice(i).GetInstanceId() == instanceId) {
            return i;
        }
    }
    return -1;
}

int GuiTest::RowOf(const std::string& instanceId) {
    const int i = IndexOf(instanceId);
    return i < 0 ? -1 : i + Form().dgDevices->FixedRows;
}

void GuiTest::SelectDevice(const std::string& instanceId) {
    const int row = RowOf(instanceId);
    ASSERT_GE(row, 0) << instanceId << " is not listed";
    ClickCell(0, row);
    ASSERT_EQ(Form().dgDevices->Row(), row);
}

COLORREF GuiTest::GridPixel(int x, int y) {
    Pump();
    ::UpdateWindow(Grid());
    win32::WindowDC dc(Grid());
    return ::GetPixel(dc.get(), x, y);
}

std::unique_ptr<WindowImage> GuiTest::CaptureGrid() {
    Pump();
    ::UpdateWindow(Grid());
    return std::make_unique<WindowImage>(Grid());
}

bool GuiTest::Checked(const gui::TControl& box) const {
    return ::SendMessageA(Handle(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int GuiTest::ComboSelection() const {
    return static_cast<int>(::SendMessageA(Handle(*window_->Form().cbRate), CB_GETCURSEL, 0, 0));
}

std::string GuiTest::ClipboardText() const {
    std::string text;
    if (!::OpenClipboard(nullptr)) {
        return "<clipboard cannot be opened>";
    }
    const HANDLE data = ::GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

std::string GuiTest::WindowText(HWND window) const {
    std::vector<char> buffer(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1);
    ::GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

RECT GuiTest::RectInParent(HWND window) const {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace gui_test
