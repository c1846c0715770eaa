// The package's version, the same in every program's version resource, in the
// manifests' assemblyIdentity version (ui/res/Setup.rc, cli/res/quorvin.rc) and in
// the release's name (release/).
#pragma once

#define QUORVIN_VERSION_NUMBERS 1, 0, 0, 0
#define QUORVIN_VERSION_TEXT "1.0.0.0"
#define QUORVIN_PRODUCT_NAME "QUORVIN Setup"
