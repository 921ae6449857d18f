// The largest recent sample of something that varies from frame to frame (a
// frame's own work, how late a wait ends): what a schedule that should not
// miss a vertical blank plans for. A sample counts for one to two spans, so a
// one-off spike passes. While none comes (nothing was measured, for instance
// because no wait was made), the last peak stands for `hold`, then fades to
// nothing over another `hold`: a schedule kept from waiting by it tries
// again only by the slimmest of waits, which cannot end later than the peak
// did. Times and samples are ticks.
#pragma once

#include <algorithm>
#include <cstdint>

namespace renderer {

class RecentPeak {
public:
    RecentPeak() = default;
    RecentPeak(std::int64_t span, std::int64_t hold) : span_(span > 0 ? span : 1), hold_(hold) {}

    void add(std::int64_t sample, std::int64_t now) {
        if (!any_ || now - bucket_start_ >= span_) {
            // After a silence the held or faded peak counts as the span before.
            previous_ = any_ && now - bucket_start_ < 2 * span_ ? current_ : value(now);
            current_ = -1;
            bucket_start_ = now;
        }
        current_ = std::max(current_, std::max<std::int64_t>(sample, 0));
        any_ = true;
        last_sample_ = now;
        last_peak_ = std::max(current_, previous_);
    }

    // -1 before the first sample.
    std::int64_t value(std::int64_t now) const {
        if (!any_)
            return -1;
        const std::int64_t age = now - bucket_start_;
        if (age < span_)
            return std::max(current_, previous_);
        if (age < 2 * span_)
            return current_;
        const std::int64_t silence = now - last_sample_;
        if (silence <= hold_)
            return last_peak_;
        const std::int64_t left = 2 * hold_ - silence;
        return left > 0 ? last_peak_ * left / hold_ : 0;
    }

private:
    std::int64_t span_ = 1;
    std::int64_t hold_ = 0;
    bool any_ = false;
    std::int64_t bucket_start_ = 0;
    std::int64_t current_ = -1;   // the peak since bucket_start_
    std::int64_t previous_ = -1;  // the peak of the span before
    std::int64_t last_sample_ = 0;
    std::int64_t last_peak_ = -1;
};

}  // namespace renderer
