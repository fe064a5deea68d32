#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Adaptive RSI: gains and losses averaged with a smoothing constant driven by the efficiency
/// ratio er = |x - the close n bars ago| / (sum of the last n absolute one-bar changes, oldest first),
/// limited to [0, 1]; sc = (er * 0.6021505376344085 + 0.06451612903225806)^2, or 0.004162330905306971
/// when the change sum is zero. The averages are seeded with the mean gain and mean loss of the
/// first n changes; afterwards avg = (value - avg) * sc + avg. Output gain / (gain + loss) * 100, or
/// 50 when that sum is zero.
class AdaptiveRsi {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AdaptiveRsi> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit AdaptiveRsi(std::uint64_t period) : closes_(static_cast<std::size_t>(period) + 1), gain_seed_(period), loss_seed_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    if (closes_.empty()) [[unlikely]] {
      closes_.push_discard(x);
      return std::nullopt;
    }
    const double d = x - closes_.newest();
    closes_.push_discard(x);
    const double gain = d > 0.0 ? d : 0.0;
    const double loss = d < 0.0 ? -d : 0.0;
    if (!ready_) {
      const auto g = gain_seed_.add(gain);
      const auto l = loss_seed_.add(loss);
      if (!g) return std::nullopt;
      gain_ = *g;
      loss_ = *l;
      ready_ = true;
    } else {
      const double sc = smoothing();
      gain_ = (gain - gain_) * sc + gain_;
      loss_ = (loss - loss_) * sc + loss_;
    }
    const double total = gain_ + loss_;
    if (total == 0.0) return 50.0;
    return gain_ / total * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return closes_.capacity(); }

 private:
  /// The smoothing constant of the current (full) window.
  [[nodiscard]] double smoothing() const noexcept {
    double path = 0.0;
    double prev = closes_.oldest();
    bool first = true;
    closes_.for_each([&](double v) {
      if (first) {
        first = false;
        return;
      }
      path = path + std::fabs(v - prev);
      prev = v;
    });
    if (path == 0.0) return 0.004162330905306971;
    double er = std::fabs(closes_.newest() - closes_.oldest()) / path;
    if (er < 0.0) er = 0.0;
    if (er > 1.0) er = 1.0;
    const double t = er * 0.6021505376344085 + 0.06451612903225806;
    return t * t;
  }

  Window<double> closes_;
  SeedMean gain_seed_;
  SeedMean loss_seed_;
  double gain_ = 0.0;
  double loss_ = 0.0;
  bool ready_ = false;
};

}  // namespace sorvik
