// TControl: what every control of the window has: a name, a parent (another
// control or, when absent, the form), its place, caption, hint, tab order, the
// enabled and visible states and its docking. Changes made from code are passed
// to the control's peer.
#pragma once

#include <functional>
#include <string>

#include "ui/gui/ControlPeer.h"
#include "ui/gui/Geometry.h"
#include "ui/gui/Object.h"

namespace gui {

class TForm;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alClient };

// Which kind of control, for a realisation that creates the matching window.
enum class ControlKind { Panel, CheckBox, ComboBox, Label, Button, DrawGrid };

class TControl : public TObject {
  public:
    TControl(TForm& form, std::string name, TControl* parent);
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    virtual ControlKind Kind() const = 0;

    const std::string& Name() const { return name_; }
    TForm& Form() const { return form_; }
    // The parent control, or null for a control placed directly on the form.
    TControl* Parent() const { return parent_; }

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    const TRect& BoundsRect() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Visible, and so is every parent up to the form.
    bool Showing() const;
    // Showing and enabled, and so is every parent: the user can reach it.
    bool Usable() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    std::string Hint;
    int TabOrder = -1;  // -1: takes no focus
    bool TabStop = true;
    // Shown when the user asks for the control's context menu; null: none.
    TPopupMenu* PopupMenu = nullptr;

    ControlPeer* Peer() const { return peer_; }
    void SetPeer(ControlPeer* peer) { peer_ = peer; }

  protected:
    void Notify(ControlChange what);
    // Runs a user's or the platform's event through the application's error report.
    void Dispatch(const std::function<void()>& handler);

  private:
    TForm& form_;
    std::string name_;
    TControl* parent_;
    TRect bounds_;
    TAlign align_ = TAlign::alNone;
    bool enabled_ = true;
    bool visible_ = true;
    std::string caption_;
    ControlPeer* peer_ = nullptr;
};

}  // namespace gui
