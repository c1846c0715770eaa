// Where the journal lives on the simulated disk: the folder it makes, the links and
// foreign access lists it refuses, and what a crash at any step leaves behind.
#include <gtest/gtest.h>

#include "journal/AdminOnlyAccess.h"
#include "journal/JournalStore.h"
#include "platform/sim/SimDisk.h"

namespace journal {

namespace {

const std::string kFolder = sim::kProgramData + "\\QUORVIN Setup";
const std::string kFile = kFolder + "\\undo-journal.txt";
const std::string kUser = "S-1-5-21-1-2-3-1001";

Journal OneChange(const std::string& id) {
    JournalEntry entry;
    entry.time = "2026-03-14 09:30:05 UTC";
    entry.instanceId = id;
    entry.change = {
        config::DeviceSetting::Rate, {}, {config::StoredSetting::State::Present, {8, 0, 0, 0}}};
    return Journal{{entry}};
}

std::vector<std::string> Ids(const LoadedJournal& loaded) {
    std::vector<std::string> ids;
    for (const JournalEntry& entry : loaded.journal.entries) {
        ids.push_back(entry.instanceId);
    }
    return ids;
}

struct JournalStoreTest : ::testing::Test {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    sim::Disk& disk = machine.disk();
};

TEST_F(JournalStoreTest, MakesAnAdministratorsOnlyFolderAndReadsBackWhatItWrote) {
    const LoadedJournal none = LoadJournal();
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.journal.entries.empty());
    EXPECT_FALSE(disk.Exists(kFolder));  // reading makes nothing

    ASSERT_EQ(SaveJournal(OneChange("USB\\A")), "");
    const sim::DiskEntry& folder = disk.Get(kFolder);
    EXPECT_EQ("O:" + folder.owner + folder.dacl, kAdminOnlyFolderSddl);
    EXPECT_EQ(disk.Get(kFile).durable.rfind(kJournalHeader, 0), 0u);
    EXPECT_FALSE(disk.Exists(kFolder + "\\undo-journal.tmp"));
    EXPECT_EQ(Ids(LoadJournal()), std::vector<std::string>{"USB\\A"});
    EXPECT_TRUE(disk.handles.empty());
    EXPECT_TRUE(disk.localBlocks.empty());
    // The rename goes through to the disk at once.
    EXPECT_EQ(machine.CallsOf("MoveFileExA").back().args,
              "from=" + kFolder + "\\undo-journal.tmp to=" + kFile + " flags=0x9");
}

TEST_F(JournalStoreTest, ACrashAtAnyStepLeavesTheOldJournalOrTheNew) {
    ASSERT_EQ(SaveJournal(OneChange("USB\\OLD")), "");
    bool finished = false;
    int sawOld = 0;
    int sawNew = 0;
    for (int step = 1; !finished && step < 100; ++step) {
        disk.crashAfterCalls = step;
        try {
            finished = SaveJournal(OneChange("USB\\NEW")).empty();
            disk.crashAfterCalls = 0;
        } catch (const sim::Crashed&) {
        }
        if (disk.stopped) {
            finished = false;  // stopped in a release, with nothing after it to notice
            disk.stopped = false;
            disk.crashAfterCalls = 0;
        }
        const LoadedJournal after = LoadJournal();
        ASSERT_TRUE(after.ok) << "crash at step " << step << ": " << after.message;
        const std::vector<std::string> ids = Ids(after);
        ASSERT_EQ(ids.size(), 1u) << "crash at step " << step;
        (ids[0] == "USB\\OLD" ? sawOld : sawNew) += 1;
        if (ids[0] == "USB\\NEW") {
            ASSERT_EQ(SaveJournal(OneChange("USB\\OLD")), "");  // the next step starts over
        }
    }
    EXPECT_TRUE(finished);
    EXPECT_GT(sawOld, 5);
    EXPECT_GT(sawNew, 0);
}

TEST_F(JournalStoreTest, AFailingStepKeepsTheOldJournalAndSaysSo) {
    ASSERT_EQ(SaveJournal(OneChange("USB\\OLD")), "");
    for (const char* op : {"CreateFileA", "WriteFile", "FlushFileBuffers", "MoveFileExA"}) {
        machine.AddFault({op});
        EXPECT_NE(SaveJournal(OneChange("USB\\NEW")), "") << op;
        machine.ClearFaults();
        EXPECT_EQ(Ids(LoadJournal()), std::vector<std::string>{"USB\\OLD"}) << op;
        EXPECT_FALSE(disk.Exists(kFolder + "\\undo-journal.tmp")) << op;
        EXPECT_TRUE(disk.handles.empty()) << op;
    }
}

TEST_F(JournalStoreTest, RefusesAFolderAUserPlantedAsALinkAndWritesNothingThere) {
    disk.AddFolder("C:\\Users\\eve\\target", kUser, "D:(A;OICI;FA;;;WD)");
    disk.AddLink(kFolder, "C:\\Users\\eve\\target", true, kUser);

    const std::string saved = SaveJournal(OneChange("USB\\A"));
    EXPECT_NE(saved.find("link"), std::string::npos) << saved;
    const LoadedJournal loaded = LoadJournal();
    EXPECT_FALSE(loaded.ok);
    EXPECT_NE(loaded.message.find(kFolder), std::string::npos);
    for (const std::string& path : disk.Paths()) {
        EXPECT_EQ(path.find("TARGET\\"), std::string::npos) << path;
    }
}

TEST_F(JournalStoreTest, RefusesAFolderAUserMadeOrOpenedToUsers) {
    disk.AddFolder(kFolder, kUser, "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
    EXPECT_NE(SaveJournal(OneChange("USB\\A")).find(kUser), std::string::npos);
    EXPECT_FALSE(LoadJournal().ok);
    EXPECT_FALSE(disk.Exists(kFile));

    disk.AddFolder(kFolder, "BA", "D:(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)");
    EXPECT_NE(SaveJournal(OneChange("USB\\A")), "");
    EXPECT_FALSE(disk.Exists(kFile));
}

TEST_F(JournalStoreTest, RefusesAJournalFileWithAForeignOwnerOrAccessListOrThatIsALink) {
    ASSERT_EQ(SaveJournal(OneChange("USB\\A")), "");
    const std::string text = disk.Get(kFile).content;
    struct Case {
        const char* what;
        std::function<void()> plant;
    };
    const Case cases[] = {
        {"foreign owner", [&] { disk.Get(kFile).owner = kUser; }},
        {"users may write", [&] { disk.Get(kFile).dacl = "D:(A;;FA;;;BU)"; }},
        {"no access list", [&] { disk.Get(kFile).dacl.clear(); }},
        {"link",
         [&] {
             disk.AddFile("C:\\Users\\eve\\j.txt", text, kUser, "D:(A;;FA;;;WD)");
             disk.AddLink(kFile, "C:\\Users\\eve\\j.txt", false, "BA");
         }},
    };
    for (const Case& c : cases) {
        disk.AddFile(kFile, text, "BA", "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
        c.plant();
        const LoadedJournal loaded = LoadJournal();
        EXPECT_FALSE(loaded.ok) << c.what;
        EXPECT_TRUE(loaded.journal.entries.empty()) << c.what;
        EXPECT_NE(loaded.message.find("refused"), std::string::npos) << c.what;
        EXPECT_NE(SaveJournal(OneChange("USB\\B")), "") << c.what;
        EXPECT_TRUE(disk.handles.empty()) << c.what;
    }
    EXPECT_EQ(disk.Get("C:\\Users\\eve\\j.txt").content, text);
}

TEST_F(JournalStoreTest, ADamagedJournalIsReportedWithItsLineAndNotReplaced) {
    ASSERT_EQ(SaveJournal(OneChange("USB\\A")), "");
    std::string& text = disk.Get(kFile).content;
    text.replace(text.find("after = 8"), 9, "after = x");
    const std::string damaged = text;
    const LoadedJournal loaded = LoadJournal();
    EXPECT_FALSE(loaded.ok);
    EXPECT_NE(loaded.message.find("damaged (line "), std::string::npos) << loaded.message;
    EXPECT_EQ(disk.Get(kFile).content, damaged);
}

TEST_F(JournalStoreTest, WithoutAProgramDataFolderNothingIsWritten) {
    disk.programDataQueryFails = true;
    EXPECT_NE(SaveJournal(OneChange("USB\\A")), "");
    EXPECT_FALSE(LoadJournal().ok);
}

}  // namespace

}  // namespace journal
