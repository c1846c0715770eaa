// Joining the pieces of a message in one call: the 32-bit program keeps to a size
// budget, and every chain of string additions is code of its own.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace confirm {

std::string Cat(std::initializer_list<std::string_view> parts);

}  // namespace confirm
