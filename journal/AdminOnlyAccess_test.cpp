// Which owners and access lists leave writing to administrators alone.
#include <gtest/gtest.h>

#include "journal/AdminOnlyAccess.h"

namespace journal {

namespace {

TEST(AdminOnlyAccess, PassesAdministratorsOwnersAndReadingForOthers) {
    EXPECT_EQ(WhyNotAdminOnly(kAdminOnlyFolderSddl), "");
    EXPECT_EQ(WhyNotAdminOnly("O:SYD:PAI(A;OICIID;FA;;;BA)(A;;FRFX;;;BU)(D;;FA;;;WD)"), "");
    EXPECT_EQ(WhyNotAdminOnly("O:S-1-5-32-544D:(A;;0x1200a9;;;AU)(A;;GRGX;;;WD)"), "");
    EXPECT_EQ(WhyNotAdminOnly("O:BAD:P"), "");  // nobody may do anything
}

TEST(AdminOnlyAccess, RefusesForeignOwnersWriteRightsAndWhatItCannotRead) {
    const char* refused[] = {
        "O:S-1-5-21-1-2-3-1001D:P(A;;FA;;;BA)",     // a user's folder
        "O:BA",                                     // no access list: everyone may write
        "O:BAD:NO_ACCESS_CONTROL",                  //
        "O:BAD:P(A;;FA;;;BA)(A;CI;DCLCRPCR;;;BU)",  // users may add files
        "O:BAD:(A;OICIIO;GA;;;CO)",                 // creators own what they make
        "O:BAD:(A;;0x1200ab;;;WD)",                 // one write bit among reads
        "O:BAD:(A;;FW;;;S-1-5-21-1-2-3-1001)",      //
        "O:BAD:(A;;WDWO;;;AU)",                     // may change the list or the owner
        "O:BAD:(OA;;FA;;;WD)",                      // an entry type it does not know
        "O:BAD:(A;;ZZ;;;WD)",                       // a right it does not know
        "O:BAD:(A;;FA;;;WD",                        // cut short
        "D:P(A;;FA;;;BA)",                          // no owner
        "",
    };
    for (const char* sddl : refused) {
        EXPECT_NE(WhyNotAdminOnly(sddl), "") << sddl;
    }
}

}  // namespace

}  // namespace journal
