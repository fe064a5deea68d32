#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The McClellan oscillator: the ratio-adjusted net advances net = 1000 * (A - D) / (A + D) (0 when
/// A + D is zero) feed two averages, both set to net on the first bar and then
/// fast <- fast + 0.1 * (net - fast), slow <- slow + 0.05 * (net - slow); the answer is fast - slow.
class McClellanOscillator {
 public:
  static Expected<McClellanOscillator> create();

  std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    const double moved = static_cast<double>(c.advances) + static_cast<double>(c.declines);
    const double net = moved == 0.0 ? 0.0 : (1000.0 * c.net_advances()) / moved;
    if (!started_) {
      fast_ = net;
      slow_ = net;
      started_ = true;
    } else {
      fast_ = fast_ + 0.1 * (net - fast_);
      slow_ = slow_ + 0.05 * (net - slow_);
    }
    return fast_ - slow_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double fast_ = 0.0;
  double slow_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik
