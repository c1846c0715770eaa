#include "input/RateStats.h"

#include <algorithm>

namespace input {

namespace {

double Percentile(std::vector<double>& values, double fraction) {
    const auto at = static_cast<std::ptrdiff_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + at, values.end());
    return values[static_cast<std::size_t>(at)];
}

}  // namespace

RateStats::RateStats(LONGLONG frequency) : frequency_(frequency > 0 ? frequency : 1) {}

double RateStats::Milliseconds(LONGLONG ticks) const {
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency_);
}

void RateStats::Add(LONGLONG time, bool background) {
    ++reports_;
    backgroundReports_ += background ? 1 : 0;
    if (reports_ > 1) {
        // A counter read out of order (another core's) counts as no time at all.
        const double ms = std::max(0.0, Milliseconds(time - last_));
        const bool pause = ms > kPauseMs;
        if (!pause) {
            movingMs_ += ms;
            ++moving_;
            bunched_ += ms < kBunchedMs ? 1 : 0;
            intervals_.push_back(ms);
            if (intervals_.size() > kKeptIntervals) {
                intervals_.pop_front();
            }
        }
        recent_.push_back({time, ms, pause});
    }
    last_ = std::max(last_, time);
    const LONGLONG span = static_cast<LONGLONG>(kPlotSeconds * static_cast<double>(frequency_));
    while (!recent_.empty() && recent_.front().time < last_ - span) {
        recent_.pop_front();
    }
}

RateFigures RateStats::Figures(LONGLONG now) const {
    RateFigures figures;
    figures.reports = reports_;
    figures.enough = reports_ >= kEnoughReports;
    figures.idle = reports_ == 0 || Milliseconds(now - last_) > kIdleMs;
    figures.background = backgroundReports_ > 0;
    figures.bunched = moving_ > 0 && bunched_ * 10 > moving_;
    if (moving_ > 0 && movingMs_ > 0) {
        figures.runHz = 1000.0 * static_cast<double>(moving_) / movingMs_;
    }
    double lastSecondMs = 0;
    std::size_t lastSecond = 0;
    for (auto sample = recent_.rbegin();
         sample != recent_.rend() && Milliseconds(now - sample->time) <= 1000.0; ++sample) {
        if (!sample->pause) {
            lastSecondMs += sample->ms;
            ++lastSecond;
        }
    }
    if (lastSecond > 0 && lastSecondMs > 0) {
        figures.lastSecondHz = 1000.0 * static_cast<double>(lastSecond) / lastSecondMs;
    }
    if (!intervals_.empty()) {
        std::vector<double> sorted(intervals_.begin(), intervals_.end());
        figures.medianMs = Percentile(sorted, 0.5);
        figures.highMs = Percentile(sorted, 0.9);
        figures.spreadMs = figures.highMs - Percentile(sorted, 0.1);
    }
    return figures;
}

}  // namespace input
