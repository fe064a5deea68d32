#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-synchronised probability of informed trading. Trade sizes are poured into buckets of
/// `bucket_volume` V by aggressor side; a completed bucket pushes |buy − sell| into a window of n
/// (running sum recomputed every n pushes) and a new bucket starts, the rest of the trade flowing on
/// into it. Once n buckets are complete: sum/(n·V).
///
/// A single trade never costs more than a bounded number of window pushes: after
/// `MAX_POURED_BUCKETS` (at least n + 1) buckets completed by one trade, the window holds only full
/// one-sided buckets, so the rest of that trade is settled in one step (its whole buckets by their
/// count modulo n, the remainder by fmod) instead of bucket by bucket.
class Vpin {
 public:
  /// Buckets one trade completes one by one before the rest of it is settled in one step.
  static constexpr std::uint64_t MAX_POURED_BUCKETS = std::uint64_t{1} << 20;

  /// Checks: bucket_volume finite and > 0 (parameter), then buckets (0, then MAX_PERIOD).
  static Expected<Vpin> create(double bucket_volume, std::uint64_t buckets);
  Vpin(double bucket_volume, std::uint64_t buckets)
      : v_(bucket_volume),
        denom_(static_cast<double>(buckets) * bucket_volume),
        buckets_(buckets),
        cap_(sat_add(buckets, 1) > MAX_POURED_BUCKETS ? sat_add(buckets, 1) : MAX_POURED_BUCKETS),
        sum_(buckets, buckets) {}

  std::optional<double> update(std::span<const Trade> trades) {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) pour(t);
    if (!sum_.full()) return std::nullopt;
    return sum_.sum() / denom_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  void pour(const Trade& t);
  void add(bool buy, double volume) noexcept {
    if (buy) {
      buy_ = buy_ + volume;
    } else {
      sell_ = sell_ + volume;
    }
  }
  void close_bucket() {
    sum_.push(std::fabs(buy_ - sell_));
    buy_ = 0.0;
    sell_ = 0.0;
    filled_ = 0.0;
  }

  double v_;
  double denom_;
  std::uint64_t buckets_;
  std::uint64_t cap_;
  RunningSum sum_;
  double buy_ = 0.0;
  double sell_ = 0.0;
  double filled_ = 0.0;
};

}  // namespace sorvik
