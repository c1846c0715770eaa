#include "commands/SettingCommands.h"

#include <algorithm>

#include "commands/RecordFirst.h"
#include "config/FilterQuestions.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "restart/DriverService.h"

namespace commands {

namespace {

Result Declined(Question question, std::string why = {}) {
    Result result;
    result.kind = Result::Kind::Declined;
    result.declined = question;
    result.why = std::move(why);
    return result;
}

// What a write came to: it was stopped before it was made, it made the setting what
// was wanted, or the setting holds something else now.
Result Outcome(const WriteStop& stop, bool changed, bool holdsWanted) {
    if (stop.declined) {
        return Declined(Question::Unrecorded, stop.why);
    }
    Result result;
    result.why = stop.why;
    if (stop.stopped || !holdsWanted) {
        result.kind = Result::Kind::Failed;
        if (result.why.empty()) {
            result.why = "the setting could not be written";
        }
    } else {
        result.kind = changed ? Result::Kind::Written : Result::Kind::Unchanged;
    }
    return result;
}

}  // namespace

Result ConfirmAttach(device::TDevice& device, Host& host) {
    if (config::AsksHubQuestion(device) && !host.Confirm({Question::Hub, {}, 0})) {
        return Declined(Question::Hub);
    }
    if (config::AsksUsefulnessQuestion(device) && !host.Confirm({Question::Usefulness, {}, 0})) {
        return Declined(Question::Usefulness);
    }
    const restart::DriverServiceState driver = restart::ReadFilterService();
    if (driver.Missing() && !host.Confirm({Question::DriverMissing, {}, 0})) {
        return Declined(Question::DriverMissing);
    }
    if (driver.Disabled() && !host.Confirm({Question::DriverDisabled, {}, 0})) {
        return Declined(Question::DriverDisabled);
    }
    if (driver.NotKernelDriver() && !host.Confirm({Question::DriverNotKernel, {}, 0})) {
        return Declined(Question::DriverNotKernel);
    }
    if (driver.Unknown() && !host.Confirm({Question::DriverUnknown, {}, driver.error})) {
        return Declined(Question::DriverUnknown);
    }
    return {};
}

Result ChangeFilter(device::TDevice& device, bool on, Host& host, AttachQuestions questions) {
    const bool before = config::HasFilter(device);
    if (on && !before && questions == AttachQuestions::Ask) {
        const Result confirmed = ConfirmAttach(device, host);
        if (confirmed.kind == Result::Kind::Declined) {
            return confirmed;
        }
    }
    WriteStop stop;
    SetFilter(device, on, RecordFirst(device, host, stop));
    return Outcome(stop, before != on, config::HasFilter(device) == on);
}

Result ChangeRate(device::TDevice& device, std::uint32_t index, Host& host) {
    const auto wanted = static_cast<int>(std::min<std::uint32_t>(index, config::kRateCount - 1));
    const int before = config::ReadRateIndex(device);
    WriteStop stop;
    WriteRateIndex(device, index, RecordFirst(device, host, stop));
    return Outcome(stop, before != wanted, config::ReadRateIndex(device) == wanted);
}

}  // namespace commands
