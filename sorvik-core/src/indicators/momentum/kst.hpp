#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/momentum/roc.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Know sure thing: four `Roc`(r_i) lines of the close (0 on a zero base), each smoothed by its own
/// `Sma`(s_i) once it exists; once all four averages are ready,
/// kst = ((sma1 + sma2 * 2) + sma3 * 3) + sma4 * 4, and "signal" is an `Sma`(signal) of kst.
/// Outputs "kst" and "signal", once the signal average is ready.
class Kst {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"kst", "signal"};

  /// Checks: r1, r2, r3, r4, s1, s2, s3, s4, signal in order (each 0, then MAX_PERIOD).
  static Expected<Kst> create(std::uint64_t r1, std::uint64_t r2, std::uint64_t r3, std::uint64_t r4,
                              std::uint64_t s1, std::uint64_t s2, std::uint64_t s3, std::uint64_t s4,
                              std::uint64_t signal);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Kst(std::uint64_t r1, std::uint64_t r2, std::uint64_t r3, std::uint64_t r4, std::uint64_t s1,
      std::uint64_t s2, std::uint64_t s3, std::uint64_t s4, std::uint64_t signal)
      : rocs_{Roc(r1), Roc(r2), Roc(r3), Roc(r4)}, smas_{Sma(s1), Sma(s2), Sma(s3), Sma(s4)}, signal_(signal) {}

  std::optional<std::array<double, 2>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    std::array<double, 4> s{};
    bool all = true;
    for (std::size_t i = 0; i < 4; ++i) {
      std::optional<double> avg;
      if (const auto r = rocs_[i].update(x)) avg = smas_[i].update(*r);
      if (avg) {
        s[i] = *avg;
      } else {
        all = false;
      }
    }
    if (!all) return std::nullopt;
    const double kst = ((s[0] + s[1] * 2.0) + s[2] * 3.0) + s[3] * 4.0;
    const auto sig = signal_.update(kst);
    if (!sig) return std::nullopt;
    return std::array<double, 2>{kst, *sig};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    std::uint64_t lines = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      // roc_i first yields at bar r_i + 1, its average s_i - 1 bars later.
      const std::uint64_t w = sat_sub(sat_add(rocs_[i].warmup_period(), smas_[i].warmup_period()), 1);
      if (w > lines) lines = w;
    }
    return sat_sub(sat_add(lines, signal_.warmup_period()), 1);
  }

 private:
  std::array<Roc, 4> rocs_;
  std::array<Sma, 4> smas_;
  Sma signal_;
};

}  // namespace sorvik
