#include "cli/ScriptHost.h"

namespace cli {

bool ScriptHost::Confirm(const commands::Ask& ask) {
    lastAsked_ = ask;
    using commands::Question;
    switch (ask.question) {
        case Question::Hub:
        case Question::Usefulness:
        case Question::DriverMissing:
        case Question::DriverDisabled:
        case Question::DriverNotKernel:
        case Question::DriverUnknown:
            return attach_;
        case Question::Unrecorded:
            askedUnrecorded_ = true;
            return unrecorded_;
        case Question::RestoreAll:
        case Question::RepairHealth:
            return true;
    }
    return false;
}

void ScriptHost::Wait(const std::function<void(const restart::MessagePump& pump)>& work) {
    work({});
}

}  // namespace cli
