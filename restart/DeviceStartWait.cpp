#include "restart/DeviceStartWait.h"

#include "platform/Platform.h"

namespace restart {

namespace {

// Milliseconds since an arbitrary start, from the performance counter (which every
// Windows from XP on has); 0 when it cannot be read.
double NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    if (!plat::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 ||
        !plat::QueryPerformanceCounter(&counter)) {
        return 0;
    }
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Waits one poll interval, running the caller's messages as they come.
void Pause(const MessagePump& pump) {
    if (!pump) {
        plat::Sleep(kDeviceStartPollMs);
        return;
    }
    if (plat::MsgWaitForMultipleObjectsEx(0, nullptr, kDeviceStartPollMs, QS_ALLINPUT,
                                          MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
        pump();
    }
}

}  // namespace

bool Settled(const device::DeviceState& state) {
    return state.Started() || state.HasProblem();
}

device::DeviceState WaitForDeviceStart(const std::string& instanceId, const MessagePump& pump) {
    // Bounded twice: by the clock, and by the number of reads should the clock not move
    // (a counter that cannot be read) or messages keep waking the wait early.
    constexpr unsigned kMaxReads = 4 * kDeviceStartWaitMs / kDeviceStartPollMs;
    const double start = NowMs();
    device::DeviceState state = device::ReadDeviceState(instanceId);
    for (unsigned reads = 1; !Settled(state) && reads < kMaxReads; ++reads) {
        if (NowMs() - start >= kDeviceStartWaitMs) {
            break;
        }
        Pause(pump);
        state = device::ReadDeviceState(instanceId);
    }
    return state;
}

}  // namespace restart
