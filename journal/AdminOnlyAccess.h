// Whether a folder's or file's owner and access list, as SDDL text
// ("O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)..."), leave writing to administrators:
// the owner is Administrators or SYSTEM (an owner may always change the access list),
// and no allow entry gives any right beyond reading and executing to anyone else.
// A missing access list (everyone may do anything) fails; an empty one passes.
#pragma once

#include <string>
#include <string_view>

namespace journal {

// Empty when the text passes; otherwise why it does not, for the user.
std::string WhyNotAdminOnly(std::string_view sddl);

// The folder's security descriptor as the journal creates it: owned by Administrators,
// full control for SYSTEM and Administrators, reading for users, nothing inherited.
inline constexpr const char* kAdminOnlyFolderSddl =
    "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
// The same for the journal's files (nothing for them to pass on).
inline constexpr const char* kAdminOnlyFileSddl =
    "O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1200a9;;;BU)";

}  // namespace journal
