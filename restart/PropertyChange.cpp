#include "restart/PropertyChange.h"

#include "platform/Platform.h"

namespace restart {

bool RequestPropertyChange(HDEVINFO set, SP_DEVINFO_DATA& element) {
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = DICS_PROPCHANGE;
    params.Scope = DICS_FLAG_CONFIGSPECIFIC;
    params.HwProfile = 0;
    if (!plat::SetupDiSetClassInstallParamsA(set, &element, &params.ClassInstallHeader,
                                             sizeof(SP_PROPCHANGE_PARAMS))) {
        return false;
    }
    return plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element) != 0;
}

}  // namespace restart
