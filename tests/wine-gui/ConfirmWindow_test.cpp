// "Keep these settings?" in the real window on the demo machine, driven through the
// program's message loop: the demo's keyboard sends nothing once restarted with the
// filter and a rate, so the question opens after the wait, counts down on the
// simulated clock and reverts by default; Tab reaches "Keep"; a device whose reports
// reach the raw-input listener is never asked about.
#include <windows.h>

#include <string>

#include "GuiFixture.h"
#include "platform/sim/SimInput.h"
#include "ui/ConfirmView.h"
#include "ui/win32/ConfirmWindow.h"

namespace gui_test {

namespace {

const std::string kKeyboard = "USB\\VID_3C4D&PID_5E6F\\6&4D5E6F7&0&2";

class ConfirmTest : public GuiTest {
  protected:
    // Attaches the filter and stores 1000 on the device, then Restart, and the device
    // change Windows would send.
    void ChangeAndRestart(const std::string& device, bool attach) {
        SelectDevice(device);
        if (attach) {
            Click(*Form().cbFilter);
        }
        Form().cbRate->UserSelect(1);
        Click(*Form().btnApply);
        ::PostMessageA(Main(), WM_DEVICECHANGE, 0x0007, 0);
        Pump();
    }
    // The simulated clock moves on; the message loop runs until the window's timer
    // (a quarter second of real time) has ticked.
    void Elapse(double ms) {
        sim::Advance(machine_, ms);
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < 400) {
            Pump();
            ::Sleep(10);
        }
    }
    win32::ConfirmWindow* Question() {
        const auto open = window_->Input().Questions();
        return open.empty() ? nullptr : open.front();
    }
    std::string StoredInterval(const std::string& id) {
        const auto& key = machine_.Key(id, DIREG_DRV);
        const auto value = key.find("bInterval");
        return value == key.end() ? "<none>" : value->second.data;
    }
    static bool Inside(const RECT& inner, const RECT& outer) {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    }
};

}  // namespace

TEST_F(ConfirmTest, TheQuestionCountsDownOverTheWindowAndEnterReverts) {
    Open();
    Click(*Form().cbMouseOnly);  // the keyboard is no mouse
    ChangeAndRestart(kKeyboard, true);
    Elapse(14000);
    EXPECT_EQ(Question(), nullptr);
    Elapse(1000);
    win32::ConfirmWindow* question = Question();
    ASSERT_NE(question, nullptr);

    EXPECT_EQ(WindowText(question->Handle()), ui::kKeepCaption);
    EXPECT_NE(WindowText(question->Explanation()).find("restarted with filter on, rate 1000"),
              std::string::npos);
    EXPECT_EQ(WindowText(question->Countdown()),
              "Reverting to filter off, rate Default in 15 seconds.");
    EXPECT_EQ(WindowText(question->KeepButton()), "&Keep");
    EXPECT_EQ(WindowText(question->RevertButton()), "&Revert");
    EXPECT_EQ(::GetWindowLongA(question->RevertButton(), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetWindow(question->Handle(), GW_OWNER), Main());
    // Over the setup window, every control inside the client area, none over another.
    RECT main{};
    RECT own{};
    ::GetWindowRect(Main(), &main);
    ::GetWindowRect(question->Handle(), &own);
    const POINT centre{(own.left + own.right) / 2, (own.top + own.bottom) / 2};
    EXPECT_TRUE(::PtInRect(&main, centre));
    RECT client{};
    ::GetClientRect(question->Handle(), &client);
    const HWND controls[] = {question->Explanation(), question->Countdown(), question->KeepButton(),
                             question->RevertButton()};
    for (const HWND a : controls) {
        const RECT ra = RectInParent(a);
        EXPECT_TRUE(Inside(ra, client));
        EXPECT_GT(ra.bottom - ra.top, 0);
        for (const HWND b : controls) {
            RECT rb = RectInParent(b);
            RECT overlap{};
            EXPECT_TRUE(a == b || !::IntersectRect(&overlap, &ra, &rb));
        }
    }

    Elapse(5000);
    EXPECT_EQ(WindowText(question->Countdown()),
              "Reverting to filter off, rate Default in 10 seconds.");
    // Enter, wherever the focus is in the window, presses the default "Revert".
    Key(question->RevertButton(), VK_RETURN);
    EXPECT_EQ(Question(), nullptr);
    EXPECT_EQ(StoredInterval(kKeyboard), "<none>");
    EXPECT_FALSE(machine_.Property(kKeyboard, SPDRP_LOWERFILTERS));
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_NE(boxes_.Shown()[0].text.find("you chose to revert"), std::string::npos);
    EXPECT_EQ(boxes_.Shown()[0].owner, Main());
}

TEST_F(ConfirmTest, UnansweredTheCountdownReverts) {
    Open();
    Click(*Form().cbMouseOnly);
    ChangeAndRestart(kKeyboard, true);
    Elapse(15000);
    ASSERT_NE(Question(), nullptr);
    Elapse(14000);
    ASSERT_NE(Question(), nullptr);
    EXPECT_EQ(WindowText(Question()->Countdown()),
              "Reverting to filter off, rate Default in 1 second.");
    Elapse(1000);
    EXPECT_EQ(Question(), nullptr);
    EXPECT_EQ(StoredInterval(kKeyboard), "<none>");
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_NE(boxes_.Shown()[0].text.find("nothing came from it after its restart"),
              std::string::npos);
}

TEST_F(ConfirmTest, TabReachesKeepAndEnterKeeps) {
    Open();
    Click(*Form().cbMouseOnly);
    ChangeAndRestart(kKeyboard, true);
    Elapse(15000);
    win32::ConfirmWindow* question = Question();
    ASSERT_NE(question, nullptr);
    Key(question->RevertButton(), VK_TAB);
    EXPECT_EQ(::GetFocus(), question->KeepButton());
    Key(question->KeepButton(), VK_RETURN);
    EXPECT_EQ(Question(), nullptr);
    Elapse(20000);
    EXPECT_TRUE(boxes_.Shown().empty());
    EXPECT_EQ(StoredInterval(kKeyboard), std::string("\x01\0\0\0", 4));
}

TEST_F(ConfirmTest, ReportsThroughTheListenerConfirmWithoutAQuestion) {
    Open();
    ChangeAndRestart(kPlainMouse, false);  // it carries the filter: a new rate
    sim::Move(machine_, kPlainMouseCollection, 200);
    while (const auto delivery = sim::DeliverNext(machine_)) {
        ::SendMessageA(delivery->target, WM_INPUT, delivery->code,
                       reinterpret_cast<LPARAM>(delivery->input));
    }
    Elapse(40000);
    EXPECT_EQ(Question(), nullptr);
    EXPECT_TRUE(boxes_.Shown().empty());
    EXPECT_EQ(StoredInterval(kPlainMouse), std::string("\x01\0\0\0", 4));
}

}  // namespace gui_test
