// What a command needs from the front end that runs it: answers to its questions and
// a way to wait for work that takes a while. The window answers with its message
// boxes and waits under a modal pump; the command-line program answers from --force
// and its arguments and waits plainly.
#pragma once

#include <functional>
#include <string>

#include "platform/WinTypes.h"
#include "restart/CompanionLauncher.h"

namespace device {
class TDevice;
}  // namespace device

namespace commands {

// The questions a command may ask before it changes something, in the order a
// command asks them.
enum class Question {
    Hub,              // attaching the filter to a USB hub
    Usefulness,       // attaching it to a device whose parent is no hub
    DriverMissing,    // attaching it while the filter's driver is not installed or its file is gone
    DriverDisabled,   // attaching it while the driver's service is disabled
    DriverNotKernel,  // attaching it while the service is no kernel driver
    DriverUnknown,    // attaching it while whether the driver can load is unknown
    Unrecorded,       // making a change the undo journal cannot record
    RestoreAll,       // taking back every recorded change
    RepairHealth,     // taking the filter off the devices it keeps from starting
};

struct Ask {
    Question question = Question::Hub;
    // Unrecorded: why the journal could not record the change.
    std::string why;
    // DriverUnknown: the service manager's error; RepairHealth: how many devices.
    unsigned long number = 0;
};

class Host {
  public:
    virtual ~Host() = default;
    // True: go on. False stops the command before it writes anything more.
    virtual bool Confirm(const Ask& ask) = 0;
    // Told, not asked, that this machine can keep no undo journal at all
    // (JournalNotKeptHere): that is no reason to refuse a change, so it is made
    // without a record and the front end says why.
    virtual void JournalNotKept(const std::string& why) = 0;
    // Told before a change to the device is recorded and written: the window notes what
    // the device runs with until its next restart, which the wait after that restart
    // compares against. A front end that does not wait after a restart has nothing to do.
    virtual void BeforeChange(device::TDevice& device) { static_cast<void>(device); }
    // Runs work that waits for another process (the companion); the pump, when the
    // front end has one, keeps its window answering meanwhile.
    virtual void Wait(const std::function<void(const restart::MessagePump& pump)>& work) = 0;
    // The window that owns what the work shows (the shell's windows); null for none.
    virtual HWND Owner() const = 0;
};

}  // namespace commands
