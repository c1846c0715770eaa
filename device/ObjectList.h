// TObjectList: a list that owns its items and frees them with itself, the last
// item first. Its indexed access checks bounds and raises EListError.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/Errors.h"

namespace device {

template <typename T>
class TObjectList {
  public:
    TObjectList() = default;
    virtual ~TObjectList() {
        while (!items_.empty()) {
            items_.pop_back();
        }
    }
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    void Add(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }
    T& Items(int index) const {
        if (index < 0 || index >= Count()) {
            throw EListError("List index out of bounds (" + std::to_string(index) + ")");
        }
        return *items_[static_cast<std::size_t>(index)];
    }

  private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace device
