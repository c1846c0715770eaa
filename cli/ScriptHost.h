// The command-line program's side of the commands (commands/Host.h): a script cannot
// be asked, so each question is answered from its arguments, and work that waits for
// the companion simply waits.
#pragma once

#include <string>

#include "commands/Host.h"

namespace cli {

class ScriptHost final : public commands::Host {
  public:
    // attach: the answer to the questions attaching the filter asks (hub, usefulness,
    // driver); unrecorded: to making a change the undo journal cannot record. Taking
    // back every change and repairing are what the command was run for: yes.
    ScriptHost(bool attach, bool unrecorded) : attach_(attach), unrecorded_(unrecorded) {}

    bool Confirm(const commands::Ask& ask) override;
    void JournalNotKept(const std::string& why) override { notKept_ = why; }
    void Wait(const std::function<void(const restart::MessagePump& pump)>& work) override;
    HWND Owner() const override { return nullptr; }

    // The last question asked, for the report: its service error for DriverUnknown,
    // why the journal refused for Unrecorded.
    const commands::Ask& LastAsked() const { return lastAsked_; }
    bool AskedUnrecorded() const { return askedUnrecorded_; }
    // Why no journal is kept on this machine; empty when one is.
    const std::string& JournalNotKeptWhy() const { return notKept_; }

  private:
    bool attach_;
    bool unrecorded_;
    commands::Ask lastAsked_;
    bool askedUnrecorded_ = false;
    std::string notKept_;
};

}  // namespace cli
