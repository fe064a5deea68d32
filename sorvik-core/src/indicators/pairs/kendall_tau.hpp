#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Kendall rank correlation (tau-b) of the close and the reference value over the last n pairs. Four
/// counters are kept incrementally over every two held pairs: concordant C, discordant D, ties in x
/// and ties in y. A new pair is compared with every held pair before it is stored; the pair that
/// leaves a full window is compared with every remaining pair and its counts are taken back. With
/// T = n(n-1)/2 and v = (T - ties in y)·(T - ties in x): 0 when v is zero, else
/// clamp((C - D) / √v, -1, 1). Linear in the window per update.
class KendallTau {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<KendallTau> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit KendallTau(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  /// Adds (add) or takes back (!add) the counts of (a, b) compared with the held pairs from
  /// position `from` on.
  void compare(double a, double b, std::size_t from, bool add) noexcept;

  Window<pairs::XY> window_;
  std::uint64_t concordant_ = 0;
  std::uint64_t discordant_ = 0;
  std::uint64_t ties_x_ = 0;
  std::uint64_t ties_y_ = 0;
};

}  // namespace sorvik
