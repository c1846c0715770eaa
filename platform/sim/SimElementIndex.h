// Where each device sits among a set's elements: a flat table with linear probing,
// keyed by the device's number (devices are numbered densely in order of arrival).
// The number is its own hash: devices opened in tree order, which is about the order
// they arrived in, land in neighbouring slots, so the table is walked rather than
// jumped about in. A set never loses an element, so the table needs no removal; it
// doubles when half full, and a cleared table keeps its slots for the set's next use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

class ElementIndex {
  public:
    static constexpr std::size_t kNone = SIZE_MAX;

    std::size_t Find(std::uint32_t device) const {
        if (slots_.empty()) {
            return kNone;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = device & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.index == kFree) {
                return kNone;
            }
            if (slot.device == device) {
                return slot.index;
            }
        }
    }

    // The device must not be in the table yet.
    void Insert(std::uint32_t device, std::size_t index) {
        if (2 * (used_ + 1) > slots_.size()) {
            Grow();
        }
        Place(device, static_cast<std::uint32_t>(index));
        ++used_;
    }

    void Clear() {
        std::fill(slots_.begin(), slots_.end(), Slot{});
        used_ = 0;
    }

    std::size_t Slots() const { return slots_.size(); }

  private:
    static constexpr std::uint32_t kFree = UINT32_MAX;
    struct Slot {
        std::uint32_t device = 0;
        std::uint32_t index = kFree;
    };

    void Place(std::uint32_t device, std::uint32_t index) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t at = device & mask;
        while (slots_[at].index != kFree) {
            at = (at + 1) & mask;
        }
        slots_[at] = Slot{device, index};
    }

    void Grow() {
        std::vector<Slot> old(slots_.empty() ? 8 : 2 * slots_.size());
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.index != kFree) {
                Place(slot.device, slot.index);
            }
        }
    }

    std::vector<Slot> slots_;  // a power of two of them, at most half in use
    std::size_t used_ = 0;
};

}  // namespace sim
