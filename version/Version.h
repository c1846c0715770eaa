// The package's version, the same in every program's version resource and in the
// product's manifest (ui/res/Setup.rc, assemblyIdentity version).
#pragma once

#define QUORVIN_VERSION_NUMBERS 1, 0, 0, 0
#define QUORVIN_VERSION_TEXT "1.0.0.0"
#define QUORVIN_PRODUCT_NAME "QUORVIN Setup"
