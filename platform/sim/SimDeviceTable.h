// The devices of a simulated machine by instance ID, without regard to letter case.
//
// The records are kept in arrival order; the look-up is a flat table with linear
// probing whose slots hold each ID's case-folded hash, computed once when the device
// is added, and its record. A look-up hashes the caller's text as it is (nothing is
// copied or upper-cased), reads one slot in most cases, and compares the text only
// with the record whose hash matches. Devices are never removed: an unplugged device
// stays known as a phantom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace sim {

struct DeviceRecord;

class DeviceTable {
  public:
    DeviceTable();
    ~DeviceTable();
    DeviceTable(const DeviceTable&) = delete;
    DeviceTable& operator=(const DeviceTable&) = delete;

    DeviceRecord* Find(std::string_view instanceId) const;
    // Takes a record whose instance ID (set beforehand) is not in the table yet, and
    // gives it the next number.
    DeviceRecord& Add(std::unique_ptr<DeviceRecord> record);

    std::size_t size() const { return records_.size(); }
    // Every record, in arrival order.
    const std::vector<std::unique_ptr<DeviceRecord>>& Records() const { return records_; }

  private:
    struct Slot {
        std::uint64_t hash = 0;
        DeviceRecord* device = nullptr;  // null: free
    };
    void Place(std::uint64_t hash, DeviceRecord* device);
    void Grow();

    std::vector<std::unique_ptr<DeviceRecord>> records_;
    std::vector<Slot> slots_;  // a power of two of them, at most three quarters in use
};

}  // namespace sim
