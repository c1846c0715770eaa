// TPopupMenu: a context menu that a control shows when the user asks for one (a right
// click or the menu key). The menu keeps its items (a caption, whether it can be
// chosen, a click handler); the form fills it, and each feature adds its own items.
// Just before the menu appears its popup handler runs, so that items can be enabled
// or disabled for the moment. A realisation shows the items and calls the User...
// entry points, which run the handlers through the application's error report.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "ui/gui/Application.h"
#include "ui/gui/Object.h"

namespace gui {

struct TMenuItem {
    std::string Caption;  // "&" marks the access key, as on the platform's menus
    bool Enabled = true;
    TNotifyEvent OnClick;
};

class TPopupMenu : public TObject {
  public:
    explicit TPopupMenu(TApplication& app) : app_(app) {}
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    // Appends an item; the reference stays valid for the menu's life.
    TMenuItem& Add(std::string caption, TNotifyEvent onClick);
    const std::deque<TMenuItem>& Items() const { return items_; }
    // The index of the item with the caption, "&" ignored.
    std::optional<std::size_t> IndexOf(const std::string& caption) const;
    // The item with the caption, or null.
    TMenuItem* Find(const std::string& caption);

    TNotifyEvent OnPopup;

    // --- entry points for the realisation ----------------------------------------
    // The menu is about to appear: runs the popup handler. False when it failed, in
    // which case the menu is not shown.
    bool UserPopup();
    // The user chose the item at the index; a disabled or unknown item does nothing.
    void UserChoose(std::size_t index);

  private:
    TApplication& app_;
    std::deque<TMenuItem> items_;
};

// The caption without its access-key marks ("&&" stands for one "&").
std::string PlainCaption(const std::string& caption);

}  // namespace gui
