#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The MESA adaptive average driven by a Hilbert-transform phase measurement, shared by `Mama` and
/// `Fama`. Every finite close counts; from the 33rd on it answers {mama, fama}.
class MamaCore {
 public:
  /// Both finite and 0 < slow_limit <= fast_limit <= 1.
  static std::optional<IndicatorError> check(double fast_limit, double slow_limit) noexcept;
  MamaCore(double fast_limit, double slow_limit) noexcept : fast_limit_(fast_limit), slow_limit_(slow_limit) {}

  std::optional<std::array<double, 2>> update(double x) noexcept;

 private:
  /// A short history, newest first.
  template <std::size_t N>
  struct Recent {
    std::array<double, N> v{};
    std::size_t size = 0;
    void insert(double x) noexcept {
      for (std::size_t i = N - 1; i > 0; --i) v[i] = v[i - 1];
      v[0] = x;
      if (size < N) ++size;
    }
    [[nodiscard]] bool full() const noexcept { return size == N; }
    double operator[](std::size_t i) const noexcept { return v[i]; }
  };
  /// The Hilbert transform of a 7-value history with the bar's multiplier m.
  static double hilbert(const Recent<7>& h, double m) noexcept {
    return (((h[2] * 0.5769 + h[0] * 0.0962) - h[4] * 0.5769) - h[6] * 0.0962) * m;
  }

  double fast_limit_;
  double slow_limit_;
  double i2_ = 0.0, q2_ = 0.0, re_ = 0.0, im_ = 0.0, period_ = 0.0, phase_ = 0.0;
  double mama_ = 0.0, fama_ = 0.0;
  Recent<4> closes_;
  Recent<7> smooth_, detrender_, i1_, q1_;
  std::uint64_t count_ = 0;
};

/// MESA adaptive moving average: "mama" (primary) and "fama".
class Mama {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"mama", "fama"};
  /// Checks: 0 < slow_limit <= fast_limit <= 1, both finite.
  static Expected<Mama> create(double fast_limit, double slow_limit);
  Mama(double fast_limit, double slow_limit) noexcept : core_(fast_limit, slow_limit) {}

  std::optional<std::array<double, 2>> update(double x) noexcept { return core_.update(x); }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 33; }

 private:
  MamaCore core_;
};

}  // namespace sorvik
