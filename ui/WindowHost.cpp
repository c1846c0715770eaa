#include "ui/WindowHost.h"

#include <string>

#include "ui/SetupF.h"

namespace ui {

namespace {

using ::commands::Question;

constexpr const char* kWarningCaption = " Warning !!!";
constexpr const char* kInformationCaption = " Information";
constexpr const char* kJournalCaption = " Undo journal";
constexpr const char* kHealthCaption = " Filter health";

constexpr UINT kHubStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kUsefulnessStyle = MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2;
constexpr UINT kDriverStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kNotRecordedStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kRestoreStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kRepairStyle = MB_YESNO | MB_ICONWARNING;
constexpr UINT kTroubleStyle = MB_OK | MB_ICONWARNING;

static_assert(kHubStyle == 0x134 && kUsefulnessStyle == 0x144, "question styles");

constexpr const char* kHubQuestion = "You try to setup filter driver for usb hub, are you sure?";
constexpr const char* kUsefulnessQuestion =
    "Filter driver is probably useless for this device, continue setup?";
// Asked after the two questions above, and only when the filter's driver is known to be
// unable to load: a device that lists it would not start after its next restart.
constexpr const char* kDriverQuestion =
    "The QUORVIN driver is not installed, or its driver file is missing. With the filter on "
    "it, this device will not start until the driver is installed: a mouse or keyboard "
    "would stop working after Restart. Put the filter on the device anyway?";
// Installed, but Windows will not load it as a filter: its service is disabled, or is
// no kernel driver.
constexpr const char* kDisabledDriverQuestion =
    "The QUORVIN driver is installed, but its service is disabled, so Windows will not load "
    "it. With the filter on it, this device will not start until the service is enabled: a "
    "mouse or keyboard would stop working after Restart. Put the filter on the device anyway?";
constexpr const char* kNotADriverQuestion =
    "The QUORVIN service is installed, but it is not a kernel driver, so Windows cannot load "
    "it as a filter. With the filter on it, this device will not start until the driver is "
    "installed again: a mouse or keyboard would stop working after Restart. Put the filter on "
    "the device anyway?";
// The same, when the service manager could not say whether the driver is installed
// (access denied, say): the filter might keep the device from starting just as well.
// Built by concatenation: a printf-style formatter would add its whole floating-point
// machinery (some 40 KiB) to the 32-bit program for one number.
constexpr const char* kUnknownDriverQuestionHead =
    "Whether the QUORVIN driver is installed could not be checked (error ";
constexpr const char* kUnknownDriverQuestionTail =
    "). If it is not, this device will not start with the filter on it: a mouse or keyboard "
    "would stop working after Restart. Put the filter on the device anyway?";
constexpr const char* kRestoreQuestion =
    "Put back every setting this program has changed, newest change first?";

}  // namespace

bool WindowHost::Confirm(const ::commands::Ask& ask) {
    switch (ask.question) {
        case Question::Hub:
            return form_.Ask(kHubQuestion, kWarningCaption, kHubStyle);
        case Question::Usefulness:
            return form_.Ask(kUsefulnessQuestion, kInformationCaption, kUsefulnessStyle);
        case Question::DriverMissing:
            return form_.Ask(kDriverQuestion, kWarningCaption, kDriverStyle);
        case Question::DriverDisabled:
            return form_.Ask(kDisabledDriverQuestion, kWarningCaption, kDriverStyle);
        case Question::DriverNotKernel:
            return form_.Ask(kNotADriverQuestion, kWarningCaption, kDriverStyle);
        case Question::DriverUnknown: {
            const std::string question = kUnknownDriverQuestionHead + std::to_string(ask.number) +
                                         kUnknownDriverQuestionTail;
            return form_.Ask(question.c_str(), kWarningCaption, kDriverStyle);
        }
        case Question::Unrecorded: {
            const std::string question =
                "This change cannot be recorded, so it could not be undone later:\n\n" + ask.why +
                "\n\nMake the change anyway?";
            return form_.Ask(question.c_str(), kJournalCaption, kNotRecordedStyle);
        }
        case Question::RestoreAll:
            return form_.Ask(kRestoreQuestion, kJournalCaption, kRestoreStyle);
        case Question::RepairHealth: {
            const std::string question =
                "Remove the QUORVIN filter from " + std::to_string(ask.number) +
                " device(s) that it keeps from starting, and restart the ones that are present? "
                "Their other filters stay, and \"Undo last change\" can put the filter back.";
            return form_.Ask(question.c_str(), kHealthCaption, kRepairStyle);
        }
    }
    return false;
}

// Said once per run, not at every change: it stays true for as long as the program runs.
void WindowHost::BeforeChange(device::TDevice& device) {
    form_.NoteBeforeChange(device);
}

void WindowHost::JournalNotKept(const std::string& why) {
    if (!form_.journalNotKeptShown_) {
        form_.journalNotKeptShown_ = true;
        form_.App().MessageBoxA(form_.Handle(), why, kJournalCaption, kTroubleStyle);
    }
}

void WindowHost::Wait(const std::function<void(const restart::MessagePump& pump)>& work) {
    form_.App().Services().WaitModally(work);
}

HWND WindowHost::Owner() const {
    return form_.Handle();
}

}  // namespace ui
