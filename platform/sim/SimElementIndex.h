// Where each device sits among a set's elements: a flat table keyed by the device's
// record, with linear probing. A set never loses an element, so the table needs no
// removal; it doubles when half full, and a cleared table keeps its slots for the
// set's next use, so once it is large enough an open allocates nothing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

struct DeviceRecord;

class ElementIndex {
  public:
    static constexpr std::size_t kNone = SIZE_MAX;

    std::size_t Find(const DeviceRecord* device) const {
        if (slots_.empty()) {
            return kNone;
        }
        for (std::size_t at = Home(device);; at = (at + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[at];
            if (slot.device == device) {
                return slot.index;
            }
            if (slot.device == nullptr) {
                return kNone;
            }
        }
    }

    // The device must not be in the table yet.
    void Insert(const DeviceRecord* device, std::size_t index) {
        if (2 * (used_ + 1) > slots_.size()) {
            Grow();
        }
        Place(device, index);
        ++used_;
    }

    void Clear() {
        std::fill(slots_.begin(), slots_.end(), Slot{});
        used_ = 0;
    }

    std::size_t Slots() const { return slots_.size(); }

  private:
    struct Slot {
        const DeviceRecord* device = nullptr;
        std::size_t index = 0;
    };
    static constexpr unsigned kFirstBits = 3;

    // Fibonacci hashing: the top bits of the product spread neighbouring addresses.
    std::size_t Home(const DeviceRecord* device) const {
        const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(device));
        return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15ULL) >> (64 - bits_));
    }

    void Place(const DeviceRecord* device, std::size_t index) {
        std::size_t at = Home(device);
        while (slots_[at].device != nullptr) {
            at = (at + 1) & (slots_.size() - 1);
        }
        slots_[at] = Slot{device, index};
    }

    void Grow() {
        std::vector<Slot> old;
        old.swap(slots_);
        bits_ = old.empty() ? kFirstBits : bits_ + 1;
        slots_.assign(std::size_t{1} << bits_, Slot{});
        for (const Slot& slot : old) {
            if (slot.device != nullptr) {
                Place(slot.device, slot.index);
            }
        }
    }

    std::vector<Slot> slots_;  // a power of two of them, at most half in use
    unsigned bits_ = 0;
    std::size_t used_ = 0;
};

}  // namespace sim
