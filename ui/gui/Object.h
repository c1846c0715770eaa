// The root of the window's objects and the shape of a plain event handler.
#pragma once

#include <functional>

namespace gui {

class TObject {
  public:
    virtual ~TObject() = default;
};

// A handler that only learns who sent the event.
using TNotifyEvent = std::function<void(TObject& Sender)>;

}  // namespace gui
