// The test bed on the real platform: devices created through SetupAPI as a driver
// installer would create them, and inspected through plain registry calls.
#pragma once

#include <string>
#include <vector>

#include "tests/DeviceBed.h"

class Win32DeviceBed : public DeviceBed {
  public:
    ~Win32DeviceBed() override;

    void Add(const BedDevice& device) override;
    std::optional<BedValue> LowerFilters(const std::string& instanceId) override;
    void SetLowerFilters(const std::string& instanceId, const BedValue& value) override;
    std::optional<BedValue> DriverValue(const std::string& instanceId,
                                        const std::string& name) override;
    void SetDriverValue(const std::string& instanceId, const std::string& name,
                        const BedValue& value) override;
    bool HasDriverKey(const std::string& instanceId) override;
    bool Has(Quirk quirk) const override;

  private:
    std::vector<std::string> created_;
};
