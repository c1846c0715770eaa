// The window's side of the commands (commands/Host.h): each question is a message box
// of the window's own words, and work that waits for the companion runs under the
// application's modal wait, so the window keeps painting meanwhile.
#pragma once

#include "commands/Host.h"

namespace ui {

class TfrmSetup;

class WindowHost final : public ::commands::Host {
  public:
    explicit WindowHost(TfrmSetup& form) : form_(form) {}

    bool Confirm(const ::commands::Ask& ask) override;
    void JournalNotKept(const std::string& why) override;
    void BeforeChange(device::TDevice& device) override;
    void Wait(const std::function<void(const restart::MessagePump& pump)>& work) override;
    HWND Owner() const override;

  private:
    TfrmSetup& form_;
};

}  // namespace ui
