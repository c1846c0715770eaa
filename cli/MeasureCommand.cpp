// measure: the measuring window's figures from the command line. A message-only
// window receives the raw input of the device's HID collections for the given
// time; the figures and their wording are the window's (input/RateStats,
// measure/MeasureLines).
#include <set>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/DeviceSelection.h"
#include "cli/ExitCodes.h"
#include "cli/InputListener.h"
#include "cli/JsonWriter.h"
#include "cli/ListOptions.h"
#include "config/Rate.h"
#include "device/DeviceList.h"
#include "input/CollectionRows.h"
#include "input/RawInputReader.h"
#include "measure/MeasureLines.h"

namespace cli {

namespace {

constexpr int kDefaultSeconds = 5;
constexpr int kMostSeconds = 3600;

int ParseSeconds(const std::string* text) {
    if (text == nullptr) {
        return kDefaultSeconds;
    }
    int value = 0;
    for (const char c : *text) {
        if (c < '0' || c > '9' || value > kMostSeconds) {
            value = 0;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kMostSeconds) {
        throw UsageError("bad --seconds \"" + *text + "\" (a whole number from 1 to " +
                         std::to_string(kMostSeconds) + ")");
    }
    return value;
}

// Counts the reports of the collections until `seconds` have passed on the counter.
input::RateStats Collect(const std::set<std::string>& collections, int seconds) {
    const LONGLONG frequency = input::CounterFrequency();
    input::RateStats stats(frequency);
    input::RawInputReader reader;
    const LONGLONG end = input::CounterNow() + static_cast<LONGLONG>(seconds) * frequency;
    for (LONGLONG now = input::CounterNow(); now < end; now = input::CounterNow()) {
        MSG message{};
        while (plat::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_INPUT) {
                const std::optional<input::Report> report =
                    reader.Read(reinterpret_cast<HRAWINPUT>(message.lParam),
                                GET_RAWINPUT_CODE_WPARAM(message.wParam));
                if (report && collections.count(report->collectionId) != 0) {
                    stats.Add(report->time, report->background);
                }
            }
            plat::DispatchMessageA(&message);
        }
        const LONGLONG left = (end - now) * 1000 / frequency + 1;
        if (plat::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left),
                                            QS_RAWINPUT) == WAIT_FAILED) {
            throw CommandFailed("waiting for raw input failed");
        }
    }
    return stats;
}

void WriteJson(const std::string& instanceId, int seconds, bool keyboard, double expectedMs,
               const input::RateFigures& f, std::string& out) {
    JsonWriter json;
    json.BeginObject().Key("version").Number(1).Key("command").String("measure");
    json.Key("instanceId").String(instanceId).Key("seconds").Number(seconds);
    json.Key("keyboard").Bool(keyboard).Key("expectedMs");
    if (expectedMs > 0) {
        json.Decimal(expectedMs, 0);
    } else {
        json.Null();
    }
    json.Key("reports").Number(static_cast<long long>(f.reports));
    json.Key("enough").Bool(f.enough).Key("idle").Bool(f.idle);
    // Below enough reports the window gives no figures; neither does this.
    const auto figure = [&](const char* key, double value, bool given) {
        json.Key(key);
        if (given) {
            json.Decimal(value, 3);
        } else {
            json.Null();
        }
    };
    figure("lastSecondHz", f.lastSecondHz, f.enough && !f.idle);
    figure("runHz", f.runHz, f.enough);
    figure("medianMs", f.medianMs, f.enough);
    figure("spreadMs", f.spreadMs, f.enough);
    json.Key("bunched").Bool(f.bunched).Key("background").Bool(f.background);
    json.EndObject();
    out += json.Text() + '\n';
}

}  // namespace

int MeasureCommand(const CommandArgs& argv, Console& console) {
    std::vector<OptionRule> options = ListOptionRules();
    options.push_back({"seconds", true});
    const Arguments args = ParseArguments(argv, options, 1);
    const int seconds = ParseSeconds(args.Value("seconds"));
    if (args.positional.empty()) {
        throw UsageError("measure needs a DEVICE");
    }
    const auto list = BuildList(args);
    // One device: the reports of several would be mixed in one figure.
    const std::vector<int> rows = SelectDevices(*list, args.positional[0], true);
    if (rows.size() > 1) {
        throw UsageError("\"" + args.positional[0] + "\" matches " + std::to_string(rows.size()) +
                         " devices; measure takes one");
    }
    const int row = rows.front();
    device::TDevice& device = list->GetDevice(row);
    const std::string instanceId = device.GetInstanceId();
    const std::vector<std::string> collections = input::CollectionRows(*list).CollectionsOf(row);
    if (collections.empty()) {
        throw UsageError(instanceId + " has no HID collection whose reports could be measured");
    }
    const bool keyboard = !device.IsMouseParent();
    const int rate = config::ReadRateIndex(device);
    const double expectedMs = rate > 0 ? config::RateTable.at(static_cast<std::size_t>(rate)) : 0;

    const InputListener listener;
    std::vector<std::string> lines = measure::MeasureLines(input::RateFigures{}, keyboard);
    if (console.progress) {
        console.progress(lines.front() + " Measuring " + instanceId + " for " +
                         std::to_string(seconds) + " s.");
    }
    if (console.moveDevice) {
        console.moveDevice(collections, seconds * 1000.0);
    }
    const input::RateStats stats =
        Collect(std::set<std::string>(collections.begin(), collections.end()), seconds);
    const input::RateFigures figures = stats.Figures(input::CounterNow());

    if (args.Has("json")) {
        WriteJson(instanceId, seconds, keyboard, expectedMs, figures, console.out);
        return kExitDone;
    }
    lines = measure::MeasureLines(figures, keyboard);
    console.out +=
        instanceId + " (" + device.GetDescription() + "), " + std::to_string(seconds) + " s:\n";
    // The first line asked for movement; it was shown before the measurement.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        console.out += "  " + lines[i] + '\n';
    }
    if (expectedMs > 0) {
        console.out += "  Expected from the stored rate: " +
                       std::string(config::RateNames.at(static_cast<std::size_t>(rate))) +
                       " reports/s, one every " + std::to_string(static_cast<int>(expectedMs)) +
                       " ms\n";
    }
    return kExitDone;
}

}  // namespace cli
