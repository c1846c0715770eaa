// What a device's reports say about its polling rate, on the performance counter.
//
// Only intervals between reports count, and only while the device is moving: a gap
// longer than kPauseMs is the user resting, not a slow poll, so it neither lowers the
// rate nor enters the median. A device that sent nothing for kIdleMs is idle (not
// 0 Hz). Below kEnoughReports reports the figures are not given at all.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "platform/InputTypes.h"

namespace input {

inline constexpr std::size_t kEnoughReports = 32;
inline constexpr double kPauseMs = 100.0;
inline constexpr double kIdleMs = 250.0;
// Reports closer than this arrived together: Windows held them and handed them over
// in one go, so their intervals say nothing about the device.
inline constexpr double kBunchedMs = 0.05;
// The run's intervals kept for the median: the last minute at 8000 Hz.
inline constexpr std::size_t kKeptIntervals = 480000;
// The plot's span.
inline constexpr double kPlotSeconds = 5.0;

struct RateFigures {
    std::size_t reports = 0;
    bool enough = false;      // at least kEnoughReports
    bool idle = true;         // nothing for kIdleMs (or nothing yet)
    double lastSecondHz = 0;  // over the moving intervals of the last second
    double runHz = 0;         // over every moving interval of the run
    double medianMs = 0;
    double spreadMs = 0;      // from the 10th to the 90th percentile
    double highMs = 0;        // the 90th percentile: the bulk of the intervals lies below
    bool bunched = false;     // more than a tenth of the intervals arrived together
    bool background = false;  // some reports came while another program was active
};

struct PlotSample {
    LONGLONG time = 0;  // of the report that ended the interval
    double ms = 0;
    bool pause = false;  // a rest of the device, drawn as a break
};

class RateStats {
  public:
    explicit RateStats(LONGLONG frequency);

    void Add(LONGLONG time, bool background = false);
    RateFigures Figures(LONGLONG now) const;
    // The intervals of the last kPlotSeconds, oldest first.
    const std::deque<PlotSample>& Recent() const { return recent_; }
    double Milliseconds(LONGLONG ticks) const;

  private:
    LONGLONG frequency_;
    std::size_t reports_ = 0;
    std::size_t backgroundReports_ = 0;
    std::size_t bunched_ = 0;
    LONGLONG last_ = 0;
    double movingMs_ = 0;  // sum of the moving intervals
    std::size_t moving_ = 0;
    std::deque<double> intervals_;  // moving ones, the last kKeptIntervals
    std::deque<PlotSample> recent_;
};

}  // namespace input
