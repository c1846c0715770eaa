// A change the device itself confirms: after the window's Restart, the device's own
// reports confirm a new filter or rate quietly; silence brings the question, and an
// unanswered question or "Revert" takes the change back through the undo journal and
// restarts the device again. The clock is the simulated machine's.
#include <gtest/gtest.h>

#include "base/AsciiCase.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimInput.h"
#include "ui/ConfirmView.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

constexpr int kMouseM = 3;  // grid rows with Mice Only
constexpr int kMouseA = 1;

struct ConfirmTest : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();
    std::vector<std::string> asked;
    std::vector<std::string> settled;
    int waits = 0;

    ConfirmTest() {
        form.OnConfirmWait = [this] { ++waits; };
        form.OnAskToKeep = [this](const std::string& id) { asked.push_back(id); };
        form.OnConfirmSettled = [this](const std::string& id) { settled.push_back(id); };
        sim::SetClock(m.machine, sim::Ticks(1000));
    }

    static std::string CollectionOf(const std::string& id) {
        return base::UpperAscii("HID\\" + id.substr(4) + "\\C");
    }
    void SelectRow(int row) { form.dgDevices->SelectCellByUser(0, row); }
    void ChooseRate(int index) { form.cbRate->UserSelect(index); }
    // The Restart button, and the device change Windows then tells every window of.
    void Restart() {
        m.machine.ClearCalls();
        form.btnApply->UserClick();
        w.SendDeviceChange();
    }
    // The clock moves on by ms, and the window's timer ticks.
    void Wait(double ms) {
        sim::Advance(m.machine, ms);
        form.ConfirmTick(sim::Clock(m.machine));
    }
    bool Report(const std::string& collection, double afterMs = 0) {
        sim::Advance(m.machine, afterMs);
        return form.ConfirmReport({collection, sim::Clock(m.machine), false});
    }
    std::size_t Restarts() const { return m.machine.CountCalls("SetupDiCallClassInstaller"); }
    const std::vector<headless::ShownMessageBox>& Boxes() { return w.Desktop().MessageBoxes(); }
    std::string Journal() { return m.machine.disk().Get(kJournal).content; }
};

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

TEST_F(ConfirmTest, ReportsFromTheDeviceConfirmQuietly) {
    SelectRow(kMouseM);
    ChooseRate(1);  // 250 -> 1000
    Restart();
    ASSERT_EQ(form.Confirmations().size(), 1u);
    EXPECT_EQ(waits, 1);
    // Another device's reports are no answer.
    EXPECT_FALSE(Report(CollectionOf(kHidA), 3000));
    EXPECT_TRUE(Report(CollectionOf(kHidM), 3000));
    EXPECT_TRUE(form.Confirmations().empty());
    Wait(60000);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(1));
    EXPECT_EQ(Restarts(), 1u);
    // What the device now works with is the new start: restarting it again waits for
    // nothing.
    Restart();
    EXPECT_TRUE(form.Confirmations().empty());
}

TEST_F(ConfirmTest, ARestartThatChangesNothingWaitsForNothing) {
    SelectRow(kMouseM);
    Restart();
    EXPECT_TRUE(form.Confirmations().empty());
    ChooseRate(1);
    ChooseRate(3);  // back to 250 before the restart
    Restart();
    EXPECT_TRUE(form.Confirmations().empty());
    EXPECT_EQ(waits, 0);
}

TEST_F(ConfirmTest, SilenceAsksAndTheUnansweredQuestionRevertsThroughTheJournal) {
    SelectRow(kMouseA);
    w.Desktop().QueueAnswer(IDYES);  // the usefulness question
    form.cbFilter->UserClick();
    ChooseRate(1);
    Restart();
    Wait(14900);
    EXPECT_TRUE(asked.empty());
    Wait(100);
    ASSERT_EQ(asked, std::vector<std::string>{kHidA});
    const confirm::Watch* watch = form.ConfirmationOf(kHidA);
    ASSERT_NE(watch, nullptr);
    const LONGLONG now = sim::Clock(m.machine);
    EXPECT_NE(ui::ConfirmExplanation(*watch).find("filter on, rate 1000"), std::string::npos);
    EXPECT_NE(ui::ConfirmExplanation(*watch).find("for 15 seconds"), std::string::npos);
    EXPECT_EQ(ui::ConfirmCountdown(*watch, now),
              "Reverting to filter off, rate Default in 15 seconds.");
    // Now the mouse moves, or a key is pressed: the question stands.
    EXPECT_FALSE(Report(CollectionOf(kHidA)));
    Wait(14000);
    EXPECT_EQ(ui::ConfirmCountdown(*form.ConfirmationOf(kHidA), sim::Clock(m.machine)),
              "Reverting to filter off, rate Default in 1 second.");
    m.machine.ClearCalls();
    w.Desktop().ClearMessageBoxes();
    Wait(1000);

    EXPECT_EQ(settled, std::vector<std::string>{kHidA});
    EXPECT_TRUE(form.Confirmations().empty());
    EXPECT_EQ(m.LowerFilters(kHidA), "<none>");
    EXPECT_EQ(m.StoredInterval(kHidA), "<none>");
    EXPECT_EQ(Restarts(), 1u);  // the revert's restart
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.find(kHidA), Boxes()[0].text.find('(') + 1);
    EXPECT_NE(Boxes()[0].text.find("nothing came from it after its restart, so its settings "
                                   "were put back as they were: filter off, rate Default"),
              std::string::npos);
    EXPECT_NE(Boxes()[0].text.find("restarted with them"), std::string::npos);
    // Two changes and the two taken back, all in the journal: "Undo last change" can
    // put the last back.
    EXPECT_EQ(Count(Journal(), "setting lower-filters"), 2u);
    EXPECT_EQ(Count(Journal(), "setting rate"), 2u);
    // The device started with what it worked with before, and nothing waits.
    Restart();
    EXPECT_TRUE(form.Confirmations().empty());
}

TEST_F(ConfirmTest, TheAnswersRevertOrKeep) {
    // The filter leaves Mouse M; "Revert" puts it back before the countdown ends.
    SelectRow(kMouseM);
    form.cbFilter->UserClick();
    Restart();
    Wait(16000);
    ASSERT_EQ(asked.size(), 1u);
    m.machine.ClearCalls();
    form.AnswerConfirmation(kHidM, false);
    EXPECT_EQ(m.LowerFilters(kHidM), kFilterOnly);
    EXPECT_EQ(Restarts(), 1u);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("you chose to revert"), std::string::npos);

    // "Keep" keeps, says nothing, and makes the kept settings the ones the device
    // works with.
    w.Desktop().ClearMessageBoxes();
    SelectRow(kMouseM);
    ChooseRate(6);
    Restart();
    Wait(15000);
    ASSERT_EQ(asked.size(), 2u);
    form.AnswerConfirmation(kHidM, true);
    form.AnswerConfirmation(kHidM, false);  // a late second answer changes nothing
    Wait(60000);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(32));
    EXPECT_EQ(settled.size(), 2u);
    Restart();
    EXPECT_TRUE(form.Confirmations().empty());
}

TEST_F(ConfirmTest, AKeyboardIsConfirmedByItsOwnKeys) {
    form.cbMouseOnly->UserClick();  // Keys B is row 2
    SelectRow(2);
    ChooseRate(2);
    Restart();
    ASSERT_NE(form.ConfirmationOf(kHidB), nullptr);
    EXPECT_TRUE(form.ConfirmationOf(kHidB)->Device().keyboard);
    EXPECT_FALSE(Report(CollectionOf(kHidA), 500));  // the mouse beside it
    EXPECT_TRUE(Report(CollectionOf(kHidB), 500));
    Wait(40000);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(m.StoredInterval(kHidB), Dword(2));
}

TEST_F(ConfirmTest, ADeviceThatLeavesDuringTheWaitIsPutBackWithoutARestart) {
    SelectRow(kMouseM);
    ChooseRate(1);
    Restart();
    Wait(5000);
    m.machine.Unplug(kHidM);
    w.SendDeviceChange();
    Wait(10000);
    ASSERT_EQ(asked, std::vector<std::string>{kHidM});
    m.machine.ClearCalls();
    Wait(15000);
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));
    EXPECT_EQ(Restarts(), 0u);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("not plugged in now"), std::string::npos);
}

TEST_F(ConfirmTest, ASecondRestartStartsTheWaitOverFromWhatLastWorked) {
    SelectRow(kMouseM);
    ChooseRate(1);
    Restart();
    Wait(10000);
    ChooseRate(2);
    Restart();  // the wait starts over
    ASSERT_EQ(form.Confirmations().size(), 1u);
    Wait(10000);
    EXPECT_TRUE(asked.empty());
    Wait(5000);
    ASSERT_EQ(asked.size(), 1u);
    // Asked again while its question is open: the question closes, and a restart that
    // brings back what worked waits for nothing.
    ChooseRate(3);
    Restart();
    EXPECT_EQ(settled, std::vector<std::string>{kHidM});
    EXPECT_TRUE(form.Confirmations().empty());
    Wait(60000);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));
}

TEST_F(ConfirmTest, ADeviceWithoutReadableInputIsAskedAtOnce) {
    // Hub H's collection leaves its tree: nothing it sends can be read.
    m.machine.Unplug(base::UpperAscii("HID\\" + kHidH.substr(4) + "\\C"));
    SelectRow(4);
    w.Desktop().QueueAnswer(IDYES);  // the hub question
    form.cbFilter->UserClick();
    Restart();
    ASSERT_EQ(asked, std::vector<std::string>{kHidH});
    EXPECT_NE(ui::ConfirmExplanation(*form.ConfirmationOf(kHidH)).find("cannot read its input"),
              std::string::npos);
    Wait(15000);
    EXPECT_EQ(m.LowerFilters(kHidH), "<none>");
}
