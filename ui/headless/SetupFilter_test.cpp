// The filter command: which questions a check asks, what "No" leaves behind, and
// a device change that arrives while a question is open.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

struct FilterTest : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();

    void SelectRow(int row) {
        form.dgDevices->SelectCellByUser(0, row);
        m.machine.ClearCalls();
    }
    // Device lists built since the last row selection.
    std::size_t Builds() const { return m.machine.CountCalls("SetupDiCreateDeviceInfoList"); }
    std::vector<std::string> QuestionTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : const_cast<HeadlessWindow&>(w).Desktop().MessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

class QuestionMatrix : public FilterTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(QuestionMatrix, AsksByHubAndParentHubThenAttachesAfterYes) {
    const QuestionCase& c = GetParam();
    // An empty list, so that every device starts without the filter.
    m.machine.SetProperty(c.device, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("\0", 1));
    SelectRow(c.row);
    std::vector<std::string> expected;
    if (c.hubQuestion) {
        expected.push_back(kHubText);
    }
    if (c.usefulnessQuestion) {
        expected.push_back(kUsefulText);
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        w.Desktop().QueueAnswer(IDYES);
    }
    const int paints = w.PaintCount();
    form.cbFilter->UserClick();

    EXPECT_EQ(QuestionTexts(), expected);
    EXPECT_EQ(m.LowerFilters(c.device), kFilterOnly);
    EXPECT_TRUE(form.cbFilter->Checked());
    EXPECT_EQ(w.PaintCount(), paints + 1);
    EXPECT_EQ(w.Cell(4, c.row)->text, "Yes");
}

INSTANTIATE_TEST_SUITE_P(ByDevice, QuestionMatrix, ::testing::ValuesIn(kQuestionCases));

TEST_F(FilterTest, NoHubAndHubParentAttachesWithoutAnyQuestion) {
    m.machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("\0", 1));
    SelectRow(3);
    ASSERT_FALSE(form.cbFilter->Checked());
    form.cbFilter->UserClick();
    EXPECT_TRUE(w.Desktop().MessageBoxes().empty());
    EXPECT_EQ(m.LowerFilters(kHidM), kFilterOnly);
}

TEST_F(FilterTest, QuestionsHaveExactCaptionsStylesAndNoOwner) {
    SelectRow(2);
    w.Desktop().QueueAnswer(IDYES);
    w.Desktop().QueueAnswer(IDYES);
    form.cbFilter->UserClick();
    const auto& boxes = w.Desktop().MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, " Warning !!!");
    EXPECT_EQ(boxes[0].style, 0x134u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[1].caption, " Information");
    EXPECT_EQ(boxes[1].style, 0x144u);
    EXPECT_EQ(boxes[1].owner, nullptr);
}

TEST_F(FilterTest, NoToTheHubQuestionEndsWithoutTheSecondAndWritesNothing) {
    SelectRow(2);
    w.Desktop().QueueAnswer(IDNO);
    form.cbFilter->UserClick();
    EXPECT_EQ(QuestionTexts(), std::vector<std::string>{kHubText});
    EXPECT_FALSE(form.cbFilter->Checked());
    EXPECT_EQ(m.LowerFilters(kHidHC), "<none>");
    EXPECT_EQ(m.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA"), 0u);
}

TEST_F(FilterTest, NoToTheUsefulnessQuestionRevertsWithoutWriting) {
    SelectRow(2);
    w.Desktop().QueueAnswer(IDYES);
    w.Desktop().QueueAnswer(IDNO);
    form.cbFilter->UserClick();
    EXPECT_EQ(QuestionTexts().size(), 2u);
    EXPECT_FALSE(form.cbFilter->Checked());
    EXPECT_FALSE(form.Updating);
    EXPECT_EQ(m.LowerFilters(kHidHC), "<none>");
    EXPECT_EQ(m.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA"), 0u);
}

TEST_F(FilterTest, AnyAnswerButNoGoesOn) {
    SelectRow(1);
    w.Desktop().QueueAnswer(IDCANCEL);
    form.cbFilter->UserClick();
    EXPECT_EQ(m.LowerFilters(kHidA), kFilterOnly);
}

TEST_F(FilterTest, UncheckingAsksNothingAndDetachesAlsoOnAHub) {
    m.machine.SetProperty(kHidH, SPDRP_LOWERFILTERS, REG_MULTI_SZ,
                          std::string("other\0quorvin\0\0", 15));
    SelectRow(4);
    ASSERT_TRUE(form.cbFilter->Checked());
    form.cbFilter->UserClick();
    EXPECT_TRUE(w.Desktop().MessageBoxes().empty());
    EXPECT_FALSE(form.cbFilter->Checked());
    EXPECT_EQ(m.LowerFilters(kHidH), std::string("other\0\0", 7));
}

TEST_F(FilterTest, SelectingARowWithTheFilterChecksTheBoxWithoutQuestionOrWrite) {
    SelectRow(3);
    EXPECT_TRUE(form.cbFilter->Checked());
    EXPECT_EQ(form.cbRate->ItemIndex(), 3);
    EXPECT_TRUE(w.Desktop().MessageBoxes().empty());
    EXPECT_EQ(m.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA"), 0u);
    EXPECT_EQ(m.machine.CountCalls("RegSetValueExA"), 0u);
}

TEST_F(FilterTest, ADeviceChangeInsideAQuestionWaitsUntilTheCommandIsDone) {
    SelectRow(1);
    std::size_t buildsDuring = 0;
    LRESULT result = -1;
    w.Desktop().QueueAnswer(IDYES, [&] {
        result = w.SendDeviceChange();
        buildsDuring = Builds();
    });
    form.cbFilter->UserClick();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(buildsDuring, 0u);  // the resolved device stayed alive
    EXPECT_EQ(m.LowerFilters(kHidA), kFilterOnly);
    EXPECT_EQ(Builds(), 1u);  // and the held rebuild ran afterwards
    EXPECT_EQ(form.dgDevices->Row(), 1);
    EXPECT_TRUE(form.cbFilter->Checked());
}

TEST_F(FilterTest, AnUnplugInsideAQuestionNeverReachesAReleasedDevice) {
    SelectRow(1);
    w.Desktop().QueueAnswer(IDYES, [&] {
        m.machine.Unplug(kHidA);
        w.SendDeviceChange();
    });
    form.cbFilter->UserClick();

    EXPECT_EQ(form.DeviceList->Count(), 3);
    EXPECT_EQ(w.Cell(0, 1)->text, "Hub HC");
    EXPECT_FALSE(form.cbFilter->Checked());  // the box shows the row's new device
    EXPECT_EQ(w.Desktop().MessageBoxes().size(), 1u);
}

// The old list may name devices that have left: once the held rebuild is due, only
// the new list is painted, so nothing reads a departed device after the write.
TEST_F(FilterTest, AHeldRebuildPaintsTheNewListInPlaceOfTheCommandsRepaint) {
    SelectRow(1);
    int paintsBeforeYes = -1;
    w.Desktop().QueueAnswer(IDYES, [&] {
        m.machine.Unplug(kHidHC);
        w.SendDeviceChange();
        paintsBeforeYes = w.PaintCount();
    });
    form.cbFilter->UserClick();

    EXPECT_EQ(m.LowerFilters(kHidA), kFilterOnly);
    EXPECT_EQ(w.PaintCount(), paintsBeforeYes + 1);
    EXPECT_EQ(w.Cell(0, 2)->text, "Mouse M");
    const auto& calls = m.machine.Calls();
    const auto write = std::find_if(calls.begin(), calls.end(), [](const sim::Call& call) {
        return call.op == "SetupDiSetDeviceRegistryPropertyA";
    });
    ASSERT_NE(write, calls.end());
    EXPECT_TRUE(std::none_of(write, calls.end(),
                             [](const sim::Call& call) { return call.device == kHidHC; }));
    EXPECT_EQ(QuestionTexts(), std::vector<std::string>{kUsefulText});
}

TEST_F(FilterTest, NoInsideAQuestionWithADeviceChangeStillRevertsAndRebuilds) {
    SelectRow(2);
    w.Desktop().QueueAnswer(IDNO, [&] { w.SendDeviceChange(); });
    form.cbFilter->UserClick();
    EXPECT_FALSE(form.cbFilter->Checked());
    EXPECT_EQ(Builds(), 1u);
    EXPECT_EQ(m.LowerFilters(kHidHC), "<none>");
}

TEST_F(FilterTest, MiceOnlyInsideAQuestionRebuildsAfterItAndReportsItsFailure) {
    SelectRow(1);
    w.Desktop().QueueAnswer(IDYES, [&] {
        m.machine.AddFault({"SetupDiCreateDeviceInfoList"});
        form.cbMouseOnly->UserClick();
        EXPECT_EQ(form.DeviceList->Count(), 4);
    });
    form.cbFilter->UserClick();

    EXPECT_EQ(m.LowerFilters(kHidA), kFilterOnly);
    EXPECT_EQ(form.DeviceList, nullptr);
    const auto& boxes = w.Desktop().MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "SetupDiCreateDeviceInfoList.");
    EXPECT_EQ(boxes[1].caption, "QUORVIN Setup");
}

TEST_F(FilterTest, AParentThatCannotBeOpenedEndsTheCommandKeepingTheCheck) {
    // A fresh list whose devices have not opened their parents yet; painting it
    // already reports the failure.
    m.machine.AddFault({"SetupDiOpenDeviceInfoA", 0, kComposite});
    w.SendDeviceChange();
    ASSERT_EQ(w.Desktop().MessageBoxes().size(), 1u);
    w.Desktop().ClearMessageBoxes();
    form.cbFilter->UserClick();
    const auto& boxes = w.Desktop().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "GetParentDevice.GetDevInfoByDevInst.");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[0].owner, headless::ApplicationWindowHandle());
    EXPECT_TRUE(form.cbFilter->Checked());
    EXPECT_EQ(m.LowerFilters(kHidA), "<none>");
}

}  // namespace
