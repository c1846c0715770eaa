// What a waiting caller runs to keep its windows alive: the setup window passes one
// that dispatches its waiting messages (paint, device changes); a console program
// passes none and simply waits.
#pragma once

#include <functional>

namespace restart {

// Called whenever messages arrive for the caller's windows while it waits.
using MessagePump = std::function<void()>;

}  // namespace restart
