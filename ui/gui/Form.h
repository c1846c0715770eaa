// TForm: a top-level window and the owner of its controls. It keeps the client
// size, docks its direct children (top, bottom, then the rest to the one that
// fills), and runs its creation, show and destruction handlers. The realisation
// calls the User... entry points and Perform for the window's messages.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/gui/Application.h"
#include "ui/gui/Font.h"
#include "ui/gui/FormPeer.h"
#include "ui/gui/Message.h"
#include "ui/gui/Object.h"

namespace gui {

class TControl;
class TButton;

class TForm : public TObject {
  public:
    explicit TForm(TApplication& app);
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    TApplication& App() const { return app_; }
    HWND Handle() const { return peer_ != nullptr ? peer_->Handle() : nullptr; }

    // Creates a control owned by the form; parent null places it on the form.
    template <typename T, typename... Args>
    T& Add(std::string name, TControl* parent, Args&&... args) {
        auto control =
            std::make_unique<T>(*this, std::move(name), parent, std::forward<Args>(args)...);
        T& result = *control;
        controls_.push_back(std::move(control));
        return result;
    }
    // Every control, in creation order (parents before their children).
    std::vector<TControl*> Controls() const;
    TControl* FindControl(const std::string& name) const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    int PixelsPerInch = 96;

    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientWidth(int width) { SetClientSize(width, clientHeight_); }
    void SetClientHeight(int height) { SetClientSize(clientWidth_, height); }
    void SetClientSize(int width, int height);
    // Puts the docked direct children in their places for the current client size.
    void Realign();

    // Esc presses it.
    TButton* CancelButton = nullptr;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnDestroy;

    bool Visible() const { return visible_; }
    bool Closed() const { return closed_; }
    // Closes the window; closing the main window ends the application.
    void Close();
    // Runs the destruction handler, once; the destructor of a derived form calls it.
    void Destroy();

    FormPeer* Peer() const { return peer_; }
    void SetPeer(FormPeer* peer) { peer_ = peer; }

    // --- entry points for the realisation (through the error report) ---------
    // After the controls exist and before the first showing.
    void DoCreate();
    // Shows the window: the show handler runs, then the peer centres it.
    void Show();
    // The user resized the window.
    void UserResize(int clientWidth, int clientHeight);
    // The frame's close command.
    void UserClose();
    // Esc without modifiers: the cancel button is pressed.
    void UserCancel();
    // A window message: true when the form handled it; its result is in Result.
    bool Perform(TMessage& message);

  protected:
    // The form's own message handlers; false passes the message on.
    virtual bool Dispatch(TMessage& message);

  private:
    void NotifyPeer(FormChange what);

    TApplication& app_;
    std::vector<std::unique_ptr<TControl>> controls_;
    std::string caption_;
    TFont font_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool visible_ = false;
    bool closed_ = false;
    bool destroyed_ = false;
    FormPeer* peer_ = nullptr;
};

}  // namespace gui
