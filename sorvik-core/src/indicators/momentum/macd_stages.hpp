#pragma once

// The stages the MACD variants share, over whichever averages a variant names.

#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace sorvik {

/// Averages Fast and Slow of the close; once both yield, macd = fast - slow feeds Signal; when that
/// yields, the answer is {macd, signal, macd - signal}.
template <class Fast, class Slow, class Signal>
class MacdStages {
 public:
  MacdStages(Fast fast, Slow slow, Signal signal) noexcept
      : fast_(std::move(fast)), slow_(std::move(slow)), signal_(std::move(signal)) {}

  /// Skips a non-finite close (nothing answered, nothing changed).
  std::optional<std::array<double, 3>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto f = fast_.update(x);
    const auto s = slow_.update(x);
    if (!f || !s) return std::nullopt;
    const double macd = *f - *s;
    const auto sig = signal_.update(macd);
    if (!sig) return std::nullopt;
    return std::array<double, 3>{macd, *sig, macd - *sig};
  }

  [[nodiscard]] const Slow& slow() const noexcept { return slow_; }
  [[nodiscard]] const Signal& signal() const noexcept { return signal_; }

 private:
  Fast fast_;
  Slow slow_;
  Signal signal_;
};

}  // namespace sorvik
