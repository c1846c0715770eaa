// The text of a data cell of the device grid: columns 0 to 3 describe the listed
// device, 4 and 5 the device to process. The grid's paint and what a screen reader
// hears of a row both read through it, so they cannot disagree.
#pragma once

#include <string>

#include "device/Device.h"

std::string DeviceCellText(int col, TDevice& listed, TDevice& toProcess);
