// Device-tree churn: a seeded random walk that plugs, unplugs, restarts and moves
// devices under the window while it rebuilds, paints, selects and runs its
// commands (the health view's repair among them), device changes arriving while a
// confirmation question is open included. After every step the window holds no set or key beyond
// its list's two sets, and the platform has seen no call on a set or key that was already released;
// under the sanitizers, a device object touched after its list was freed stops the run.
//
//   QUORVIN_CHURN_SEED    run this seed only (default: the fixed seeds below)
//   QUORVIN_CHURN_STEPS   steps per seed (default 2000)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "health/FilterHealth.h"
#include "tests/ReliabilityBench.h"
#include "ui/headless/HeadlessWindow.h"

using namespace reliability;

namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoul(text, nullptr, 10) : fallback;
}

// A call that names a set or key the machine does not know: one the program had
// already released (handle values are never reused), or one it never had.
bool NamesAReleasedHandle(const sim::Call& call) {
    // The handle a call works on is its first argument.
    for (const char* prefix : {"set=", "key="}) {
        if (call.args.starts_with(prefix)) {
            const char first = call.args.size() > 4 ? call.args[4] : '\0';
            return first < '1' || first > '9';
        }
    }
    return false;
}

struct Tally {
    std::size_t steps = 0;
    std::size_t treeChanges = 0;
    std::size_t rebuilds = 0;
    std::size_t questions = 0;
    std::size_t changesDuringQuestions = 0;
    std::size_t commands = 0;
    std::size_t listedDevices = 0;  // summed over the steps
    std::size_t presentDevices = 0;
    std::size_t repairs = 0;
};

class Churn {
  public:
    explicit Churn(unsigned long seed) : rng_(static_cast<std::mt19937::result_type>(seed)) {
        BuildStartTree();
        window_ = std::make_unique<headless::HeadlessWindow>();
        AfterStep("start-up");
    }

    void Step() {
        ++tally_.steps;
        switch (Pick(10)) {
            case 0:
            case 1:
                ChangeTree();
                if (Pick(4) != 0) {
                    DeviceChange();
                }
                break;
            case 2:
                DeviceChange();
                break;
            case 3:
                FilterCommand(0);
                break;
            default:
                Command();
                break;
        }
        AfterStep("step " + std::to_string(tally_.steps));
        tally_.listedDevices += Form().DeviceList ? Form().DeviceList->Count() : 0;
        tally_.presentDevices += Present().size();
    }

    void Finish() {
        window_.reset();
        EXPECT_EQ(machine_.OpenSetCount(), 0u) << "sets left after the window was destroyed";
        EXPECT_EQ(machine_.OpenKeyCount(), 0u);
    }

    const Tally& Counts() const { return tally_; }

  private:
    // A device of the walk: its data, and the device it was last placed below.
    struct Placed {
        sim::DeviceSpec plan;
        std::string parent;  // empty: a root of the tree
    };
    enum class Kind { Mouse, Hub, HubLikeMouse, Keyboard, Composite };

    unsigned Pick(unsigned n) { return static_cast<unsigned>(rng_() % n); }

    ui::TfrmSetup& Form() { return window_->Form(); }

    std::vector<std::string> Present() const {
        std::vector<std::string> present;
        for (const auto& [id, placed] : devices_) {
            if (machine_.NodeOf(id) != 0) {
                present.push_back(id);
            }
        }
        return present;
    }

    std::string AnyPresent() {
        const std::vector<std::string> present = Present();
        return present.empty() ? std::string()
                               : present[Pick(static_cast<unsigned>(present.size()))];
    }

    DEVINST Place(const sim::DeviceSpec& plan, const std::string& parent) {
        devices_[plan.instanceId] = {plan, parent};
        return machine_.Plug(plan, parent.empty() ? 0 : machine_.NodeOf(parent));
    }

    // A device of a kind, with the function below it that marks a mouse or a keyboard,
    // sometimes with a filter list or a rate stored.
    std::string Add(Kind kind, const std::string& parent) {
        const std::string serial = std::to_string(++serial_);
        const std::string product = "VID_C0DE&PID_" + std::to_string(100 + static_cast<int>(kind));
        sim::DeviceSpec plan;
        plan.instanceId = "USB\\" + product + "\\" + serial;
        plan.hardwareIds = {"USB\\" + product + "&REV_0100", "USB\\" + product};
        const bool hub = kind == Kind::Hub || kind == Kind::HubLikeMouse;
        plan.classGuid =
            kind == Kind::Hub || kind == Kind::Composite ? sim::kClassUsb : sim::kClassHid;
        plan.description = "Churn " + std::to_string(static_cast<int>(kind)) + " " + serial;
        if (hub) {
            plan.interfaces = {sim::kInterfaceUsbHub};
        }
        if (Pick(3) != 0) {
            plan.hardwareKey = sim::RegKeyValues{};
            plan.driverKey = sim::RegKeyValues{};
            if (Pick(2) == 0) {
                (*plan.driverKey)["bInterval"] = {
                    REG_DWORD,
                    std::string(1, static_cast<char>(1 + Pick(40))) + std::string(3, '\0')};
            }
        }
        Place(plan, parent);
        if (Pick(3) == 0) {
            machine_.SetProperty(plan.instanceId, SPDRP_LOWERFILTERS, REG_MULTI_SZ,
                                 std::string("quorvin\0other\0\0", 15));
        }
        if (kind == Kind::Composite) {
            Add(Kind::Mouse, plan.instanceId);
            Add(Kind::Keyboard, plan.instanceId);
        } else if (kind != Kind::Hub) {
            sim::DeviceSpec function;
            function.instanceId = "HID\\" + product + "\\F&" + serial;
            function.classGuid = kind == Kind::Keyboard ? sim::kClassKeyboard : sim::kClassMouse;
            function.description = "HID function " + serial;
            Place(function, plan.instanceId);
        }
        return plan.instanceId;
    }

    // A host controller with a root hub, below it a composite mouse, an external hub
    // with a mouse and a hub-like mouse, and a plain mouse.
    void BuildStartTree() {
        sim::DeviceSpec host;
        host.instanceId = "PCI\\VEN_8086&DEV_A36D\\3&1";
        host.classGuid = sim::kClassUsb;
        host.description = "USB Host Controller";
        Place(host, "");
        const std::string root = Add(Kind::Hub, host.instanceId);
        Add(Kind::Composite, root);
        const std::string hub = Add(Kind::Hub, root);
        Add(Kind::Mouse, hub);
        Add(Kind::HubLikeMouse, hub);
        Add(Kind::Mouse, root);
    }

    // The present devices of a subtree, each after its parent.
    std::vector<std::string> Subtree(const std::string& top) const {
        std::vector<std::string> order{top};
        for (std::size_t i = 0; i < order.size(); ++i) {
            for (const auto& [id, placed] : devices_) {
                if (placed.parent == order[i] && machine_.NodeOf(id) != 0) {
                    order.push_back(id);
                }
            }
        }
        return order;
    }

    void Unplug(const std::string& id) {
        std::vector<Placed> group;
        for (const std::string& member : Subtree(id)) {
            group.push_back(devices_.at(member));
        }
        machine_.Unplug(id);
        unplugged_.push_back(std::move(group));
    }

    // An unplugged device comes back with everything that went with it, below a
    // device of the tree.
    void Replug() {
        const std::size_t at = Pick(static_cast<unsigned>(unplugged_.size()));
        std::vector<Placed> group = std::move(unplugged_[at]);
        unplugged_.erase(unplugged_.begin() + static_cast<std::ptrdiff_t>(at));
        group.front().parent = AnyPresent();
        for (const Placed& placed : group) {
            Place(placed.plan, placed.parent);
        }
    }

    void ChangeTree() {
        ++tally_.treeChanges;
        const std::size_t present = Present().size();
        const unsigned choice = present < 12 ? 0 : present > 60 ? 1 : Pick(5);
        const std::string id = AnyPresent();
        switch (choice) {
            case 0:
                if (!unplugged_.empty() && Pick(2) == 0) {
                    Replug();
                } else {
                    Add(static_cast<Kind>(Pick(5)), AnyPresent());
                }
                break;
            case 1:
                Unplug(id);
                break;
            case 2:
                machine_.Restart(id);
                break;
            default: {
                const std::string parent = Pick(8) == 0 ? std::string() : AnyPresent();
                try {
                    machine_.Reparent(id, parent.empty() ? 0 : machine_.NodeOf(parent));
                    devices_.at(id).parent = parent;
                } catch (const std::invalid_argument&) {
                    // The new parent lies below the device itself.
                }
                break;
            }
        }
    }

    void DeviceChange() {
        ++tally_.rebuilds;
        window_->SendDeviceChange();
    }

    int RowCount() { return Form().dgDevices->RowCount(); }

    void Command() {
        ++tally_.commands;
        switch (Pick(11)) {
            case 0:
                Form().dgDevices->SelectCellByUser(
                    static_cast<int>(Pick(6)),
                    static_cast<int>(Pick(static_cast<unsigned>(RowCount() + 1))));
                break;
            case 1:
                window_->Paint();
                break;
            case 2:
                Form().cbParent->UserClick();
                break;
            case 3:
                Form().cbMouseOnly->UserClick();
                break;
            case 4:
                Form().cbRate->UserSelect(static_cast<int>(Pick(7)));
                break;
            case 5:
                Form().btnApply->UserClick();
                break;
            case 6:
                Form().btnCopyID->UserClick();
                break;
            case 7:
                Form().BitBtn_Install->UserClick();
                break;
            case 8:
                Form().dgDevices->UserKey(Pick(2) == 0 ? gui::TGridKey::Down : gui::TGridKey::Up);
                break;
            case 9:
                RepairFromHealthView();
                break;
            default:
                window_->Paint();
                break;
        }
    }

    // The health view's repair. The machine has no filter service, so every device
    // that carries the filter is one to repair; while its question is open the tree
    // may change, so that devices leave or move before the filter comes off them.
    void RepairFromHealthView() {
        const health::FilterHealth health = health::ReadFilterHealth();
        ++tally_.repairs;
        if (health.RepairableCount() == 0) {
            return;
        }
        auto asking = std::make_shared<bool>(true);
        window_->Desktop().QueueAnswer(IDYES, [this, asking] {
            if (*asking && Pick(2) == 0) {
                ChangeTree();
                DeviceChange();
            }
        });
        Form().RepairFilterHealth(health);
        *asking = false;
    }

    // A click on "Filter On Device". Its first question is answered at random, and
    // while it is open the tree may change, device changes arrive and the user may
    // use the other controls, a second filter click included; a second question
    // gets the default answer, "No".
    void FilterCommand(int depth) {
        ++tally_.commands;
        auto asking = std::make_shared<bool>(true);
        const int answer = Pick(3) == 0 ? IDNO : IDYES;
        window_->Desktop().QueueAnswer(answer, [this, depth, asking] {
            if (*asking) {
                WhileAsked(depth);
            }
        });
        Form().cbFilter->UserClick();
        *asking = false;
    }

    void WhileAsked(int depth) {
        ++tally_.questions;
        for (unsigned i = Pick(4); i > 0; --i) {
            switch (Pick(5)) {
                case 0:
                    ChangeTree();
                    ++tally_.changesDuringQuestions;
                    DeviceChange();
                    break;
                case 1:
                    ++tally_.changesDuringQuestions;
                    DeviceChange();
                    break;
                case 2:
                    if (depth == 0) {
                        FilterCommand(depth + 1);
                        break;
                    }
                    [[fallthrough]];
                default:
                    Command();
                    break;
            }
            AfterStep("inside a question at step " + std::to_string(tally_.steps));
        }
    }

    void AfterStep(const std::string& where) {
        const std::size_t lists = Form().DeviceList ? 2 : 0;
        ASSERT_EQ(machine_.OpenSetCount(), lists) << where << ": a set leaked";
        ASSERT_EQ(machine_.OpenKeyCount(), 0u) << where << ": a key leaked";
        for (const sim::Call& call : machine_.Calls()) {
            ASSERT_FALSE(NamesAReleasedHandle(call))
                << where << ": " << call.op << " " << call.args;
        }
        machine_.ClearCalls();
        // Boxes are only forgotten once none is open: an open one is still counted on.
        headless::HeadlessDesktop& desktop = window_->Desktop();
        const std::vector<std::string> errors = ErrorReports(desktop);
        for (std::size_t i = checkedErrors_; i < errors.size(); ++i) {
            ASSERT_EQ(errors[i], kParentError) << where;
        }
        checkedErrors_ = errors.size();
        if (desktop.OpenMessageBoxes() == 0) {
            // With no question open no rebuild is held back: the grid and the device
            // controls match the list.
            const int count = Form().DeviceList ? Form().DeviceList->Count() : 0;
            const gui::TDrawGrid& grid = *Form().dgDevices;
            ASSERT_EQ(grid.RowCount(), std::max(count, 1) + 1) << where;
            ASSERT_TRUE(grid.Row() >= 1 && grid.Row() < grid.RowCount()) << where;
            ASSERT_EQ(Form().btnApply->Enabled(), count > 0) << where;
            // An answer left over from a command that asked nothing.
            while (desktop.PendingAnswers() > 0) {
                desktop.MessageBoxA(nullptr, "", "", MB_OK);
            }
            desktop.ClearMessageBoxes();
            checkedErrors_ = 0;
        }
    }

    std::mt19937 rng_;
    sim::Machine machine_;
    sim::ScopedMachine use_{machine_};
    std::map<std::string, Placed> devices_;
    std::vector<std::vector<Placed>> unplugged_;
    unsigned serial_ = 0;
    std::size_t checkedErrors_ = 0;
    Tally tally_;
    std::unique_ptr<headless::HeadlessWindow> window_;
};

std::vector<unsigned long> Seeds() {
    const unsigned long seed = EnvNumber("QUORVIN_CHURN_SEED", 0);
    return seed != 0 ? std::vector<unsigned long>{seed} : std::vector<unsigned long>{11, 29, 47};
}

class DeviceTreeChurn : public ::testing::TestWithParam<unsigned long> {};

TEST_P(DeviceTreeChurn, HandlesStayBalancedAndReleasedDevicesStayUntouched) {
    const unsigned long steps = EnvNumber("QUORVIN_CHURN_STEPS", 2000);
    Churn churn(GetParam());
    for (unsigned long i = 0; i < steps && !HasFatalFailure(); ++i) {
        churn.Step();
    }
    churn.Finish();
    const Tally& t = churn.Counts();
    std::cout << "[ churn    ] seed " << GetParam() << ": " << t.steps << " steps, "
              << t.treeChanges << " tree changes, " << t.rebuilds << " device changes ("
              << t.changesDuringQuestions << " during questions), " << t.questions << " questions, "
              << t.commands << " commands (" << t.repairs << " repairs); on average "
              << t.presentDevices / t.steps << " devices present, " << t.listedDevices / t.steps
              << " listed\n";
    EXPECT_EQ(t.steps, steps);
    EXPECT_GT(t.changesDuringQuestions, 0u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DeviceTreeChurn, ::testing::ValuesIn(Seeds()));

}  // namespace
