// Owns one open setup information file and closes it with SetupCloseInfFile.
#pragma once

#include <utility>

#include "platform/Platform.h"

class InfFile {
  public:
    explicit InfFile(HINF inf) : inf_(inf) {}
    ~InfFile() {
        if (valid()) {
            plat::SetupCloseInfFile(inf_);
        }
    }
    InfFile(const InfFile&) = delete;
    InfFile& operator=(const InfFile&) = delete;

    bool valid() const { return inf_ != INVALID_HANDLE_VALUE && inf_ != nullptr; }

  private:
    HINF inf_;
};
