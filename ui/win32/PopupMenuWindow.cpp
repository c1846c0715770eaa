#include "ui/win32/PopupMenuWindow.h"

#include <memory>
#include <type_traits>

namespace win32 {

namespace {

struct MenuDestroyer {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace

void TrackPopup(gui::TPopupMenu& menu, HWND owner, POINT screen) {
    if (!menu.UserPopup() || menu.Items().empty()) {
        return;
    }
    const MenuHandle popup(::CreatePopupMenu());
    if (!popup) {
        return;
    }
    // Commands are numbered from 1: TrackPopupMenu returns 0 when nothing was chosen.
    UINT_PTR command = 1;
    for (const gui::TMenuItem& item : menu.Items()) {
        const UINT flags = MF_STRING | (item.Enabled ? MF_ENABLED : MF_GRAYED);
        if (!::AppendMenuA(popup.get(), flags, command++, item.Caption.c_str())) {
            return;
        }
    }
    const BOOL chosen = ::TrackPopupMenu(
        popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x,
        screen.y, 0, owner, nullptr);
    if (chosen > 0) {
        menu.UserChoose(static_cast<std::size_t>(chosen - 1));
    }
}

}  // namespace win32
