#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/mc_clellan_oscillator.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The McClellan summation index: the running sum, over the whole run, of the `McClellanOscillator`.
class McClellanSummationIndex {
 public:
  static Expected<McClellanSummationIndex> create();

  std::optional<double> update(const CrossSection& cs) noexcept {
    const std::optional<double> osc = oscillator_.update(cs);
    if (!osc) return std::nullopt;
    sum_ = sum_ + *osc;
    return sum_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return oscillator_.warmup_period(); }

 private:
  McClellanOscillator oscillator_;
  double sum_ = 0.0;
};

}  // namespace sorvik
