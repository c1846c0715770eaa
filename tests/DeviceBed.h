// A test bed: a machine that the seam agreement tests furnish with USB devices and
// then inspect through the platform's own storage. One implementation drives the
// simulated platform (native suite), the other the real SetupAPI and registry
// (Windows suite under Wine), so the same assertions check both.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/WinTypes.h"

struct BedDevice {
    std::string instanceId;
    GUID classGuid{};
    std::optional<std::string> description;  // absent: no SPDRP_DEVICEDESC
    std::vector<std::string> hardwareIds;    // empty: no SPDRP_HARDWAREID
    bool driverKey = true;                   // the device has a driver key
    bool hubInterface = false;               // it exposes a present USB hub interface
};

// A registry value as stored: its type and its raw bytes, terminators included.
struct BedValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const BedValue&) const = default;
};

// Ways in which a platform is known to depart from Windows. Each bed names the ones it has;
// docs/wine-divergences.md explains them.
enum class Quirk {
    // Removing SPDRP_LOWERFILTERS (null data, length 0) leaves an empty
    // multi-string behind instead of deleting the value, and succeeds (leaving the
    // empty value) where the device had none instead of failing.
    EmptyLowerFiltersKept,
    // Device node 0 is a live handle: node handles index a per-process table of
    // opened elements, so node 0 is the first device of the oldest open set.
    NodeZeroNamesADevice,
    // CM_Get_Child reports success for a device without children and leaves its
    // output untouched (CM_Get_Parent and CM_Get_Sibling fail, as they should).
    ChildQuerySucceedsWithoutNode,
    // SetupDiSetClassInstallParamsA and DIF_PROPERTYCHANGE always fail.
    ClassInstallerFails,
    // A class query whose enumerator is a whole instance ID lists nothing.
    WholeIdEnumeratorListsNothing,
    // An interface query whose enumerator names no single device ("USB") succeeds.
    InterfaceQueryTakesAnyEnumerator,
    // SetupDiOpenDevRegKey with an access mask of 0 hands out a key.
    KeyOpensWithoutAccess,
};

class DeviceBed {
  public:
    virtual ~DeviceBed() = default;

    // Creates a present device; the bed removes it again when it is destroyed.
    virtual void Add(const BedDevice& device) = 0;

    // SPDRP_LOWERFILTERS as stored for the device, or nothing when it has none.
    virtual std::optional<BedValue> LowerFilters(const std::string& instanceId) = 0;
    virtual void SetLowerFilters(const std::string& instanceId, const BedValue& value) = 0;

    // A value in the device's driver key, or nothing when it is absent.
    virtual std::optional<BedValue> DriverValue(const std::string& instanceId,
                                                const std::string& name) = 0;
    virtual void SetDriverValue(const std::string& instanceId, const std::string& name,
                                const BedValue& value) = 0;
    virtual bool HasDriverKey(const std::string& instanceId) = 0;

    virtual bool Has(Quirk quirk) const = 0;
};

using DeviceBedFactory = std::unique_ptr<DeviceBed> (*)();

// The fixture the shared tests run in; each platform instantiates it with its bed.
class SeamAgreement : public ::testing::TestWithParam<DeviceBedFactory> {
  protected:
    void SetUp() override { bed = GetParam()(); }
    void TearDown() override { bed.reset(); }
    std::unique_ptr<DeviceBed> bed;
};
