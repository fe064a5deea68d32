#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Nearest naked point of control. The candles are cut into blocks of n; each completed block's
/// volume-profile POC centre (G for a block without price span) joins a list, and a listed price
/// leaves it once a later candle trades through it (low <= p <= high). Yields the listed price
/// nearest to the close (the earliest listed wins a tie), or the close when none is left, from the
/// first completed block on.
class NakedPoc {
 public:
  /// Checks: period or bins zero, then period and bins against MAX_PERIOD.
  static Expected<NakedPoc> create(std::uint64_t period, std::uint64_t bins);
  NakedPoc(std::uint64_t period, std::uint64_t bins) noexcept : period_(period), bins_(bins) {}

  std::optional<double> update(const Candle& c) {
    // Points traded through by this candle are tested; the rest keep their order.
    std::erase_if(naked_, [&](double p) { return c.low <= p && p <= c.high; });
    // The block's POC joins after the test, so the completing candle never tests its own block.
    block_.push_back(profiles::profile_bar(c));
    if (block_.size() == period_) close_block();
    if (!ready_) return std::nullopt;
    if (naked_.empty()) return c.close;
    double nearest = naked_.front();
    double distance = std::fabs(nearest - c.close);
    for (const double p : naked_) {
      const double d = std::fabs(p - c.close);
      if (d < distance) {
        distance = d;
        nearest = p;
      }
    }
    return nearest;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return period_; }

  /// The naked points of control, oldest first.
  [[nodiscard]] const std::vector<double>& naked() const noexcept { return naked_; }

 private:
  void close_block() {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const profiles::ProfileBar& b : block_) {
      if (b.low < low) low = b.low;
      if (b.high > high) high = b.high;
    }
    const profiles::VolumeBins p = builder_.build(bins_, low, high, block_.size(), [&](auto&& f) {
      for (const profiles::ProfileBar& b : block_) f(b);
    });
    naked_.push_back(p.flat() ? p.low : p.centre(p.poc_index()));
    block_.clear();
    ready_ = true;
  }

  std::uint64_t period_;
  std::uint64_t bins_;
  std::vector<profiles::ProfileBar> block_;  // grows with the candles of the block, at most n
  std::vector<double> naked_;
  profiles::ProfileBuilder<double> builder_;
  bool ready_ = false;
};

}  // namespace sorvik
