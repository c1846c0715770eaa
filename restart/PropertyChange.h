// The property-change request that restarts a device, shared by the setup program
// and the 64-bit companion.
#pragma once

#include "platform/WinTypes.h"

namespace restart {

// Hands DIF_PROPERTYCHANGE (DICS_PROPCHANGE, configuration-specific, current
// profile) to the class installer for the pair. The class installer is called only
// when the parameters were accepted. True when both calls succeeded.
bool RequestPropertyChange(HDEVINFO set, SP_DEVINFO_DATA& element);

}  // namespace restart
