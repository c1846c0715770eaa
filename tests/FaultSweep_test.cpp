// The fault sweep: in each scenario (start-up, painting, every command, a rebuild,
// a restart, an installation, a copy), every platform operation that the scenario
// calls fails in turn at each position at which it is called. A clean run counts
// the calls first; then, for every operation and every n up to its count, the
// scenario runs again with exactly that call failing.
//
// Every run must end without a crash, leave no device information set or registry
// key open once the window is gone, store on each device either what it held
// before or exactly what the command writes when it succeeds, and show the error
// report only where the program promises one: a list that cannot be built at
// start-up or after "Mice Only" (never after a device change), and a parent that
// cannot be opened. Every other failure is silent.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "companion/Companion.h"
#include "platform/sim/SimNames.h"
#include "config/PlatformFamily.h"
#include "fuzz/FilterListModel.h"
#include "health/FilterHealth.h"
#include "tests/ReliabilityBench.h"
#include "ui/gui/ClipboardText.h"
#include "ui/headless/HeadlessWindow.h"

using namespace reliability;

namespace {

constexpr const char* kListError = "SetupDiGetClassDevs.";
constexpr const char* kRelatedSetError = "SetupDiCreateDeviceInfoList.";

// The operations through which a device's parent is opened; their failure may make
// GetParentDevice raise.
const std::set<std::string> kParentLookup = {"CM_Get_Parent", "CM_Get_Device_ID_Size",
                                             "CM_Get_Device_IDA", "SetupDiOpenDeviceInfoA"};

// One run of a scenario: the machine, and the window once it is open.
class Session {
  public:
    explicit Session(Variant variant) : variant_(variant) {
        BuildVariant(machine, variant);
        ids = AllInstanceIds(machine);
        machine.ClearCalls();
    }
    ~Session() { window.reset(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void Open(const std::string& commandLine = "quorvin.exe") {
        config::InitPlatformFamily();
        headless::WindowOptions options;
        options.commandLine = commandLine;
        window = std::make_unique<headless::HeadlessWindow>(options);
    }
    ui::TfrmSetup& Form() { return window->Form(); }
    headless::HeadlessDesktop& Desktop() { return window->Desktop(); }
    void SelectRow(int row) { Form().dgDevices->SelectCellByUser(0, row); }
    // Lists take Windows' sorted order, so a scenario that means a device finds its
    // row rather than counting on it. Reading the list calls the platform, so a
    // scenario looks up rows while it prepares, never in the act that is faulted.
    int RowOf(const std::string& instanceId) {
        const device::TDeviceList& list = *Form().DeviceList;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.GetDevice(i).GetInstanceId() == instanceId) {
                return i + Form().dgDevices->FixedRows;
            }
        }
        ADD_FAILURE() << instanceId << " is not listed";
        return Form().dgDevices->FixedRows;
    }
    void SelectDevice(const std::string& instanceId) { SelectRow(RowOf(instanceId)); }
    StoredState State() { return Snapshot(machine, ids, variant_ == Variant::Win9x); }

    // A row that the act selects, found while preparing.
    int rowToSelect = 0;

    FamilyReset familyReset;
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    std::vector<std::string> ids;
    std::unique_ptr<headless::HeadlessWindow> window;

  private:
    Variant variant_;
};

// What a scenario's command stores when it succeeds, on the device it acts on.
enum class Writes { Nothing, FilterOn, FilterOff, RateDefault, Rate500 };
// Whether a list that cannot be built is reported in this scenario.
enum class ListFailure { Reported, Silent };

struct Scenario {
    // A constructor rather than an aggregate, so that the trailing members may be
    // left out without tripping -Wmissing-field-initializers.
    Scenario(std::string name, Variant variant, std::function<void(Session&)> prepare,
             std::function<void(Session&)> act, Writes writes = Writes::Nothing,
             ListFailure listFailure = ListFailure::Reported,
             std::string firstCallOpensAParent = {})
        : name(std::move(name)),
          variant(variant),
          prepare(std::move(prepare)),
          act(std::move(act)),
          writes(writes),
          listFailure(listFailure),
          firstCallOpensAParent(std::move(firstCallOpensAParent)) {}

    std::string name;
    Variant variant;
    std::function<void(Session&)> prepare;
    std::function<void(Session&)> act;
    Writes writes;
    ListFailure listFailure;
    // An operation whose first call in the act is made by GetParentDevice, so that
    // its failure must be reported.
    std::string firstCallOpensAParent;
};

std::optional<sim::RegValue> FilterAfter(const std::optional<sim::RegValue>& before, bool on,
                                         bool win9x) {
    const model::Stored stored = before ? model::Stored(before->data) : std::nullopt;
    const model::Stored after =
        model::AfterSetFilter(stored, on, win9x ? "quorvin.sys" : "quorvin");
    if (after == stored) {
        return before;
    }
    return after ? std::optional(sim::RegValue{REG_MULTI_SZ, *after}) : std::nullopt;
}

// What a device holds after the command succeeds on it.
reliability::StoredDevice Written(const reliability::StoredDevice& before, Writes writes,
                                  bool win9x) {
    reliability::StoredDevice after = before;
    switch (writes) {
        case Writes::Nothing:
            break;
        case Writes::FilterOn:
        case Writes::FilterOff:
            after.filters = FilterAfter(before.filters, writes == Writes::FilterOn, win9x);
            break;
        case Writes::RateDefault:
            after.rate.reset();
            break;
        case Writes::Rate500:
            after.rate = sim::RegValue{REG_DWORD, std::string("\x02\0\0\0", 4)};
            break;
    }
    return after;
}

// The broken promises of one faulted run, as text.
class Findings {
  public:
    explicit Findings(std::string context) : context_(std::move(context)) {}
    void Expect(bool holds, const std::string& what) {
        if (!holds) {
            broken_.push_back(context_ + ": " + what);
        }
    }
    const std::vector<std::string>& Broken() const { return broken_; }

  private:
    std::string context_;
    std::vector<std::string> broken_;
};

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        joined += "[" + text + "]";
    }
    return joined.empty() ? "none" : joined;
}

// The error reports that the failure of this call must and may bring.
struct ErrorRule {
    std::vector<std::string> required;
    std::string optional;
};

ErrorRule RuleFor(const Scenario& scenario, const sim::Call& failing, int position) {
    const bool reported = scenario.listFailure == ListFailure::Reported;
    if (failing.op == "SetupDiGetClassDevsA" &&
        failing.args.find("flags=0x12") == std::string::npos) {
        return {reported ? std::vector<std::string>{kListError} : std::vector<std::string>{}, {}};
    }
    if (failing.op == "SetupDiCreateDeviceInfoList") {
        return {reported ? std::vector<std::string>{kRelatedSetError} : std::vector<std::string>{},
                {}};
    }
    if (kParentLookup.count(failing.op) != 0) {
        if (failing.op == scenario.firstCallOpensAParent && position == 1) {
            return {{kParentError}, {}};
        }
        return {{}, kParentError};
    }
    return {};
}

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name << " (" << VariantName(scenario.variant) << ")";
}

class FaultSweep : public ::testing::TestWithParam<Scenario> {
  protected:
    // The calls of the act in a clean run, which reports no error.
    std::vector<sim::Call> CleanCalls() {
        const Scenario& scenario = GetParam();
        Session run(scenario.variant);
        scenario.prepare(run);
        run.machine.ClearCalls();
        scenario.act(run);
        std::vector<sim::Call> calls = run.machine.Calls();
        if (run.window) {
            EXPECT_EQ(ErrorReports(run.Desktop()), std::vector<std::string>{})
                << "the clean run reports an error";
            // An answer left over means the device asked other questions than the
            // scenario was written for: it acts on another device, or another command.
            EXPECT_EQ(run.Desktop().PendingAnswers(), 0u) << "the clean run left answers unused";
        }
        return calls;
    }

    // The broken promises of one run; reports counts the error reports it showed.
    std::vector<std::string> FaultedRun(const std::string& op, int position,
                                        const sim::Call& failing, std::size_t& reports) {
        const Scenario& scenario = GetParam();
        const bool win9x = scenario.variant == Variant::Win9x;
        Findings findings(scenario.name + " (" + VariantName(scenario.variant) + "), " + op +
                          " call " + std::to_string(position) + " fails");
        Session run(scenario.variant);
        run.machine.logging = false;
        scenario.prepare(run);
        const StoredState before = run.State();
        const std::size_t boxesBefore = run.window ? run.Desktop().MessageBoxes().size() : 0;
        run.machine.AddFault(sim::Fault(op, position));
        scenario.act(run);
        run.machine.ClearFaults();

        // A failed release leaves its handle with the machine, not with the program.
        const std::size_t stuckSets = op == "SetupDiDestroyDeviceInfoList" ? 1 : 0;
        const std::size_t stuckKeys = op == "RegCloseKey" ? 1 : 0;

        if (run.window) {
            std::vector<std::string> errors = ErrorReports(run.Desktop());
            errors.erase(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                              boxesBefore, errors.size())));
            reports += errors.size();
            const ErrorRule rule = RuleFor(scenario, failing, position);
            const bool asRequired = errors == rule.required;
            const bool optionalShown = rule.required.empty() && !rule.optional.empty() &&
                                       errors == std::vector<std::string>{rule.optional};
            findings.Expect(asRequired || optionalShown,
                            "error reports " + Joined(errors) + ", expected " +
                                Joined(rule.required) +
                                (rule.optional.empty() ? "" : " or [" + rule.optional + "]"));
            const std::size_t sets = run.machine.OpenSetCount() - stuckSets;
            findings.Expect(sets == (run.Form().DeviceList ? 2u : 0u),
                            std::to_string(sets) + " sets open beside the window's list");
        }
        findings.Expect(run.machine.OpenKeyCount() == stuckKeys, "a registry key is left open");
        findings.Expect(run.machine.OpenInfCount() == 0, "a setup information file is left open");

        const StoredState after = run.State();
        int changed = 0;
        for (const auto& [id, was] : before) {
            const reliability::StoredDevice& now = after.at(id);
            if (now == was) {
                continue;
            }
            ++changed;
            findings.Expect(now == Written(was, scenario.writes, win9x),
                            id + " holds neither its old state nor what the command writes");
        }
        findings.Expect(changed <= 1, "more than one device changed");

        if (run.window) {
            // The window goes on working: a repaint and a rebuild, reported nowhere and
            // writing nothing.
            const std::size_t boxes = run.Desktop().MessageBoxes().size();
            run.window->Paint();
            run.window->SendDeviceChange();
            run.window->Paint();
            findings.Expect(run.Desktop().MessageBoxes().size() == boxes,
                            "a message box after the failure had passed");
            findings.Expect(run.State() == after, "a repaint or rebuild wrote something");
            run.window.reset();
        }
        findings.Expect(run.machine.OpenSetCount() == stuckSets,
                        std::to_string(run.machine.OpenSetCount()) +
                            " sets open after the window was destroyed");
        findings.Expect(run.machine.OpenKeyCount() == stuckKeys, "a key open at the end");
        return findings.Broken();
    }
};

TEST_P(FaultSweep, EveryCallOfEveryOperationFailsInTurn) {
    const std::vector<sim::Call> calls = CleanCalls();
    std::map<std::string, std::vector<sim::Call>> byOp;
    for (const sim::Call& call : calls) {
        // GetCurrentProcess cannot fail.
        if (call.op != "GetCurrentProcess") {
            byOp[call.op].push_back(call);
        }
    }
    ASSERT_FALSE(byOp.empty());
    std::size_t cases = 0;
    std::size_t reports = 0;
    std::vector<std::string> broken;
    for (const auto& [op, opCalls] : byOp) {
        for (std::size_t n = 1; n <= opCalls.size(); ++n) {
            ++cases;
            for (std::string& finding :
                 FaultedRun(op, static_cast<int>(n), opCalls[n - 1], reports)) {
                broken.push_back(std::move(finding));
            }
        }
    }
    std::cout << "[ sweep    ] " << GetParam().name << " (" << VariantName(GetParam().variant)
              << "): " << cases << " cases over " << byOp.size() << " operations, " << reports
              << " error reports shown\n";
    RecordProperty("cases", static_cast<int>(cases));
    for (std::size_t i = 0; i < broken.size() && i < 20; ++i) {
        ADD_FAILURE() << broken[i];
    }
    EXPECT_EQ(broken.size(), 0u);
}

void Open(Session& run) {
    run.Open();
}
void Nothing(Session&) {}

std::vector<Scenario> Scenarios() {
    // Lists take Windows' sorted order, so each scenario names the device it acts on.
    auto selectDevice = [](const std::string& id) {
        return [id](Session& run) {
            run.Open();
            run.SelectDevice(id);
        };
    };
    // Ticks "Filter On Device" with one "Yes" for each question the device deserves.
    auto clickFilter = [](int questions) {
        return [questions](Session& run) {
            for (int i = 0; i < questions; ++i) {
                run.Desktop().QueueAnswer(IDYES);
            }
            run.Form().cbFilter->UserClick();
        };
    };
    auto withParent = [](Session& run) {
        run.Open();
        run.SelectDevice(kCompositeMouse);
        run.Form().cbParent->UserClick();
    };
    auto openAll = [](Session& run) { run.Open("quorvin.exe /all"); };

    std::vector<Scenario> all;
    for (const Variant variant : {Variant::NT, Variant::Win9x}) {
        all.push_back({"start-up", variant, Nothing, Open});
        all.push_back({"paint", variant, Open, [](Session& run) { run.window->Paint(); }});
        // An interface below a composite that is no hub: the usefulness question.
        all.push_back({"attach after the question", variant, selectDevice(kCompositeMouse),
                       clickFilter(1), Writes::FilterOn});
        // "mfltx" below an external hub: no question, and mfltx must stay.
        all.push_back({"attach beside another filter", variant, selectDevice(kHubMouse),
                       clickFilter(0), Writes::FilterOn});
        // The filter in capitals.
        all.push_back({"detach", variant, selectDevice(kPlainMouse),
                       [](Session& run) { run.Form().cbFilter->UserClick(); }, Writes::FilterOff});
    }
    all.push_back({"start-up with /ALL", Variant::NT, Nothing, openAll});
    // Any other row than the first one selected at start-up.
    all.push_back({"select a row", Variant::NT,
                   [](Session& run) {
                       run.Open();
                       run.rowToSelect = run.RowOf(kHubMouse);
                   },
                   [](Session& run) { run.SelectRow(run.rowToSelect); }});
    all.push_back({"Process Parent", Variant::NT, selectDevice(kCompositeMouse),
                   [](Session& run) { run.Form().cbParent->UserClick(); }});
    // The composite device below a root hub: no question.
    all.push_back(
        {"attach to the parent", Variant::NT, withParent, clickFilter(0), Writes::FilterOn});
    all.push_back({"pick a rate", Variant::NT, selectDevice(kHubMouse),
                   [](Session& run) { run.Form().cbRate->UserSelect(2); }, Writes::Rate500});
    all.push_back({"pick Default", Variant::NT, selectDevice(kPlainMouse),
                   [](Session& run) { run.Form().cbRate->UserSelect(0); }, Writes::RateDefault});
    for (const Variant variant : {Variant::NT, Variant::Wow64}) {
        // The companion's sets and the rebuild after a revert fail silently.
        all.push_back({"restart", variant, selectDevice(kPlainMouse),
                       [](Session& run) { run.Form().btnApply->UserClick(); }, Writes::Nothing,
                       ListFailure::Silent});
        all.push_back({"install", variant, Open,
                       [](Session& run) { run.Form().BitBtn_Install->UserClick(); }});
        // The driver file is gone: the restart finds problem 39 and takes the filter off.
        all.push_back({"restart that reverts", variant,
                       [](Session& run) {
                           std::erase(run.machine.files,
                                      "C:\\WINDOWS\\System32\\drivers\\quorvin.sys");
                           run.Open();
                           run.SelectDevice(kPlainMouse);
                       },
                       [](Session& run) { run.Form().btnApply->UserClick(); }, Writes::FilterOff,
                       ListFailure::Silent});
    }
    for (const Variant variant : {Variant::NT, Variant::Wow64}) {
        // The health view's repair: the demo's game pad failed to load the filter; it
        // loses it and is restarted. Listing and rebuilding fail silently.
        all.push_back({"repair from the health view", variant, Open,
                       [](Session& run) {
                           run.Desktop().QueueAnswer(IDYES);
                           run.Form().RepairFilterHealth(health::ReadFilterHealth());
                       },
                       Writes::FilterOff, ListFailure::Silent});
    }
    // The driver service is gone: after the usual questions comes the warning.
    auto withoutDriver = [](const std::string& id) {
        return [id](Session& run) {
            run.machine.system().services.clear();
            // A device that holds the filter already would be detached by the click.
            run.machine.RemoveProperty(id, SPDRP_LOWERFILTERS);
            run.Open();
            run.SelectDevice(id);
        };
    };
    // The usefulness question, then the warning.
    all.push_back({"attach without the driver", Variant::NT, withoutDriver(kCompositeMouse),
                   clickFilter(2), Writes::FilterOn});
    // Below a root hub: the warning alone.
    all.push_back({"attach without the driver below a hub", Variant::NT, withoutDriver(kPlainMouse),
                   clickFilter(1), Writes::FilterOn});
    all.push_back({"copy IDs", Variant::NT, selectDevice(kCompositeMouse),
                   [](Session& run) { run.Form().btnCopyID->UserClick(); }});
    all.push_back({"Mice Only", Variant::NT, Open,
                   [](Session& run) { run.Form().cbMouseOnly->UserClick(); }});
    all.push_back({"Mice Only with Process Parent", Variant::NT, withParent,
                   [](Session& run) { run.Form().cbMouseOnly->UserClick(); }, Writes::Nothing,
                   ListFailure::Reported, "CM_Get_Parent"});
    all.push_back({"device change", Variant::NT, Open,
                   [](Session& run) { run.window->SendDeviceChange(); }, Writes::Nothing,
                   ListFailure::Silent});
    // The usefulness question is open when the device change arrives.
    all.push_back({"device change during a question", Variant::NT, selectDevice(kCompositeMouse),
                   [](Session& run) {
                       run.Desktop().QueueAnswer(IDYES, [&run] { run.window->SendDeviceChange(); });
                       run.Form().cbFilter->UserClick();
                   },
                   Writes::FilterOn, ListFailure::Silent});
    all.push_back({"close", Variant::NT, Open, [](Session& run) {
                       run.Form().BitBtn_Close->UserClick();
                       run.window.reset();
                   }});
    return all;
}

std::string ScenarioName(const ::testing::TestParamInfo<Scenario>& info) {
    std::string name = info.param.name + "_" + VariantName(info.param.variant);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep, ::testing::ValuesIn(Scenarios()), ScenarioName);

// Together the scenarios call, and so fail, every platform operation of the setup
// program.
TEST(FaultSweepCoverage, TheScenariosCallEveryOperationOfTheProgram) {
    std::set<std::string> called;
    for (const Scenario& scenario : Scenarios()) {
        Session run(scenario.variant);
        scenario.prepare(run);
        run.machine.ClearCalls();
        scenario.act(run);
        for (const sim::Call& call : run.machine.Calls()) {
            called.insert(call.op);
        }
    }
    for (const char* op : {"SetupDiGetClassDevsA",
                           "SetupDiCreateDeviceInfoList",
                           "SetupDiEnumDeviceInfo",
                           "SetupDiDestroyDeviceInfoList",
                           "SetupDiOpenDeviceInfoA",
                           "SetupDiGetDeviceRegistryPropertyA",
                           "SetupDiSetDeviceRegistryPropertyA",
                           "SetupDiGetDeviceInstanceIdA",
                           "SetupDiOpenDevRegKey",
                           "SetupDiSetClassInstallParamsA",
                           "SetupDiCallClassInstaller",
                           "CM_Get_Device_ID_Size",
                           "CM_Get_Device_IDA",
                           "CM_Get_Parent",
                           "CM_Get_Child",
                           "CM_Get_Sibling",
                           "IsEqualGUID",
                           "RegQueryValueExA",
                           "RegSetValueExA",
                           "RegDeleteValueA",
                           "RegCloseKey",
                           "GetVersionExA",
                           "GetModuleHandleA",
                           "GetProcAddress",
                           "IsWow64Process",
                           "CM_Locate_DevNodeA",
                           "CM_Get_DevNode_Status",
                           "SetupDiGetDeviceInstallParamsA",
                           "OpenSCManagerA",
                           "OpenServiceA",
                           "QueryServiceConfigA",
                           "QueryServiceStatus",
                           "CloseServiceHandle",
                           "GetFileAttributesA",
                           "ExpandEnvironmentStringsA",
                           "GetFileAttributesW",
                           "GetModuleFileNameW",
                           "ShellExecuteExW",
                           "MsgWaitForMultipleObjectsEx",
                           "GetExitCodeProcess",
                           "CloseHandle"}) {
        EXPECT_EQ(called.count(op), 1u) << op << " is called by no scenario";
    }
}

// The companion's two commands with each of their calls failing in turn: a clean
// exit code with nothing written to the error stream, or one line and a non-zero
// code; never a set or a setup information file left open, and never a restart or
// an installation reported as done that did not happen.
TEST(CompanionFaults, EachCallFailsInTurn) {
    std::size_t cases = 0;
    for (const std::string& command : {"U " + kPlainMouse, std::string("e install quorvin.inf")}) {
        std::map<std::string, std::size_t> counts;
        {
            Session run(Variant::Wow64);
            run.machine.files.push_back(run.machine.currentDirectory + "\\quorvin.inf");
            ASSERT_EQ(companion::RunCompanion(sim::Utf16(command)).exitCode, 0);
            for (const sim::Call& call : run.machine.Calls()) {
                ++counts[call.op];
            }
        }
        for (const auto& [op, count] : counts) {
            for (std::size_t n = 1; n <= count; ++n) {
                ++cases;
                Session run(Variant::Wow64);
                run.machine.files.push_back(run.machine.currentDirectory + "\\quorvin.inf");
                run.machine.AddFault(sim::Fault(op, static_cast<int>(n)));
                const companion::CompanionOutcome outcome =
                    companion::RunCompanion(sim::Utf16(command));
                const int code = outcome.exitCode;
                const std::string context = command + ", " + op + " call " + std::to_string(n);
                const std::string& line = outcome.message;
                if (code == 0) {
                    EXPECT_EQ(line, "") << context;
                    // InstallHinfSectionW returns nothing, so its failure cannot be seen.
                    const std::size_t done = op == "InstallHinfSectionW" ? 0 : 1;
                    EXPECT_EQ(run.machine.restarts.size() + run.machine.infInstalls.size(), done)
                        << context;
                } else {
                    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos)
                        << context << ": " << line;
                    EXPECT_FALSE(line.empty()) << context;
                    EXPECT_TRUE(line.starts_with("kevra64: ")) << context << ": " << line;
                }
                const std::size_t stuckSets = op == "SetupDiDestroyDeviceInfoList" ? 1 : 0;
                EXPECT_EQ(run.machine.OpenSetCount(), stuckSets) << context;
                EXPECT_EQ(run.machine.OpenInfCount(), op == "SetupCloseInfFile" ? 1u : 0u)
                    << context;
            }
        }
    }
    std::cout << "[ sweep    ] companion: " << cases << " cases\n";
}

// The clipboard side of "Copy IDs": each call the copy makes fails in turn. Only a
// clipboard that cannot be opened is an error, and whatever fails, the clipboard
// is closed again and no global memory block is left behind or left locked.
class FailingClipboard : public headless::HeadlessClipboard {
  public:
    explicit FailingClipboard(std::string failing) : failing_(std::move(failing)) {}
    BOOL OpenClipboard(HWND owner) override {
        return Fails("OpenClipboard") ? FALSE : HeadlessClipboard::OpenClipboard(owner);
    }
    BOOL EmptyClipboard() override {
        return Fails("EmptyClipboard") ? FALSE : HeadlessClipboard::EmptyClipboard();
    }
    HANDLE SetClipboardData(UINT format, HANDLE data) override {
        return Fails("SetClipboardData") ? nullptr
                                         : HeadlessClipboard::SetClipboardData(format, data);
    }
    HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) override {
        return Fails("GlobalAlloc") ? nullptr : HeadlessClipboard::GlobalAlloc(flags, bytes);
    }
    LPVOID GlobalLock(HGLOBAL memory) override {
        return Fails("GlobalLock") ? nullptr : HeadlessClipboard::GlobalLock(memory);
    }

  private:
    bool Fails(const char* call) const { return failing_ == call; }
    std::string failing_;
};

TEST(ClipboardFaults, OnlyAnUnopenedClipboardIsReportedAndNothingIsLeftBehind) {
    const std::string text = "\"USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2\"\r\n";
    for (const char* call :
         {"OpenClipboard", "EmptyClipboard", "GlobalAlloc", "GlobalLock", "SetClipboardData"}) {
        FailingClipboard clipboard(call);
        clipboard.Preset("before");
        std::string error;
        try {
            gui::SetClipboardText(clipboard, headless::ApplicationWindowHandle(), text);
        } catch (const gui::EClipboardError& e) {
            error = e.what();
        }
        const bool opens = std::string(call) != "OpenClipboard";
        EXPECT_EQ(error, opens ? "" : "Cannot open clipboard") << call;
        EXPECT_FALSE(clipboard.IsOpen()) << call;
        EXPECT_EQ(clipboard.LeakedBlocks(), 0u) << call;
        EXPECT_EQ(clipboard.lockCount(), 0) << call;
        const bool copied = std::string(call) == "EmptyClipboard";
        EXPECT_EQ(clipboard.TextBlock(), copied  ? text + std::string(1, '\0')
                                         : opens ? std::optional<std::string>()
                                                 : std::string("before") + std::string(1, '\0'))
            << call;
    }
}

}  // namespace
