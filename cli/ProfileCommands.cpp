// export and apply: profiles of the filter and rate settings across machines.

#include "cli/Arguments.h"
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "cli/ConfirmChange.h"
#include "cli/DeviceFacts.h"
#include "cli/ExitCodes.h"
#include "cli/Profile.h"
#include "cli/ReachableDevices.h"
#include "cli/TextFile.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/Device.h"

namespace cli {

namespace {

std::string ReadProfileText(const std::string& file, const std::function<std::string()>& input) {
    if (file == "-") {
        return input();
    }
    // Twice the limit: a UTF-16 profile takes two bytes a character.
    std::optional<std::string> text = ReadTextFile(file, 2 * kProfileMaxBytes);
    if (!text) {
        throw UsageError("cannot read the profile " + file);
    }
    return std::move(*text);
}

struct Match {
    device::TDevice* device;
    const ProfileEntry* entry;
    const char* matchedBy;
};

// Each device takes at most one entry: the one naming its instance ID, otherwise the
// first naming one of its hardware IDs.
std::vector<Match> MatchEntries(const Profile& profile, const ReachableDevices& reachable,
                                std::vector<UnmatchedEntry>& unmatched) {
    struct Known {
        device::TDevice* device;
        std::string instanceId;
        std::vector<std::string> hardwareIds;
        bool taken = false;
    };
    std::vector<Known> known;
    for (device::TDevice* device : reachable.Devices()) {
        known.push_back({device, base::UpperAscii(device->GetInstanceId()), {}});
        for (const std::string& id : SplitHardwareIds(device->GetHardwareIds())) {
            known.back().hardwareIds.push_back(base::UpperAscii(id));
        }
    }
    std::vector<Match> matches;
    std::vector<bool> matched(profile.entries.size(), false);
    for (std::size_t e = 0; e < profile.entries.size(); ++e) {
        const ProfileEntry& entry = profile.entries[e];
        for (Known& k : known) {
            if (!k.taken && !entry.instanceId.empty() &&
                k.instanceId == base::UpperAscii(entry.instanceId)) {
                k.taken = true;
                matched[e] = true;
                matches.push_back({k.device, &entry, "instance-id"});
            }
        }
    }
    for (std::size_t e = 0; e < profile.entries.size(); ++e) {
        const ProfileEntry& entry = profile.entries[e];
        if (matched[e] || entry.hardwareId.empty()) {
            continue;
        }
        const std::string wanted = base::UpperAscii(entry.hardwareId);
        for (Known& k : known) {
            bool carries = false;
            for (const std::string& id : k.hardwareIds) {
                carries = carries || id == wanted;
            }
            if (!k.taken && carries) {
                k.taken = true;
                matched[e] = true;
                matches.push_back({k.device, &entry, "hardware-id"});
            }
        }
    }
    for (std::size_t e = 0; e < profile.entries.size(); ++e) {
        if (!matched[e]) {
            unmatched.push_back({profile.entries[e].instanceId, profile.entries[e].hardwareId});
        }
    }
    return matches;
}

}  // namespace

int ExportCommand(const CommandArgs& argv, Console& console) {
    const Arguments args = ParseArguments(argv, {}, 1);
    const ReachableDevices reachable;
    Profile profile;
    for (device::TDevice* device : reachable.Devices()) {
        const bool filter = config::HasFilter(*device);
        const int rate = ReadRate(*device);
        if (rate == kRateUnknown) {
            // A profile that said "Default" here would reset the device elsewhere.
            throw CommandFailed("cannot read the polling rate of " + device->GetInstanceId() +
                                " (its driver key does not open; run as an administrator)");
        }
        if (!filter && rate == 0) {
            continue;
        }
        ProfileEntry entry;
        entry.instanceId = device->GetInstanceId();
        entry.hardwareId = ModelHardwareId(SplitHardwareIds(device->GetHardwareIds()));
        entry.description = device->GetDescription();
        entry.filter = filter;
        entry.rate = rate;
        profile.entries.push_back(std::move(entry));
    }
    const std::string text = FormatProfile(profile);
    if (args.positional.empty() || args.positional[0] == "-") {
        console.out += text;
        return 0;
    }
    const std::string& file = args.positional[0];
    if (!WriteTextFile(file, text)) {
        throw CommandFailed("cannot write the profile " + file);
    }
    console.out +=
        "exported " + std::to_string(profile.entries.size()) + " device(s) to " + file + '\n';
    return 0;
}

int ApplyCommand(const CommandArgs& argv, Console& console) {
    const Arguments args =
        ParseArguments(argv, {{"restart"}, {"force"}, {"json"}, {kConfirmOption, true}}, 1);
    if (args.positional.empty()) {
        throw UsageError("apply needs a profile FILE (or - for standard input)");
    }
    Profile profile;
    try {
        profile = ParseProfile(ReadProfileText(args.positional[0], console.readInput));
    } catch (const ProfileError& e) {
        const std::string& file = args.positional[0];
        throw UsageError((file == "-" ? "standard input" : file) + ": " + e.what());
    }
    const std::unique_ptr<ChangeConfirmation> confirmation =
        ChangeConfirmation::FromArguments(args);
    const ReachableDevices reachable;
    ChangeReport report{"apply", {}, {}};
    const std::vector<Match> matches = MatchEntries(profile, reachable, report.unmatched);
    for (const Match& match : matches) {
        CheckQuestions(*match.device, {match.entry->filter, match.entry->rate}, args.Has("force"));
    }
    for (const Match& match : matches) {
        confirm::WatchedDevice watched;
        if (confirmation) {
            watched = confirmation->Before(*match.device);
        }
        DeviceChange change = ApplySetting(*match.device, {match.entry->filter, match.entry->rate},
                                           args.Has("force"));
        change.matchedBy = match.matchedBy;
        if (args.Has("restart") && change.Changed() && !change.failed) {
            watched.changed = confirm::ReadDriveSettings(*match.device);
            RestartAndReread(*match.device, change);
        }
        if (confirmation) {
            confirmation->AfterRestart(std::move(watched), report.changes.size(), change);
        }
        report.changes.push_back(std::move(change));
    }
    if (confirmation) {
        confirmation->Wait(report.changes, console);
    }
    return PrintChangeReport(report, args.Has("json"), console.out);
}

}  // namespace cli
