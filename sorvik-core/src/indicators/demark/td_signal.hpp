#pragma once

// The memory of the TD entry signals: the last one or two valid candles. Private to the demark
// folder.

#include <array>
#include <cstddef>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik::td {

/// The last K valid candles (K = 1 or 2), newest first, for the entry signals.
template <std::size_t K>
class PreviousCandles {
 public:
  /// The signal of `rule(current, previous...)` once K candles are held (nothing before), then
  /// `current` joins the history.
  template <class Rule>
  std::optional<double> step(const Candle& current, Rule rule) noexcept {
    std::optional<double> out;
    if (held_ == K) {
      if constexpr (K == 1) {
        out = rule(current, slots_[0]);
      } else {
        out = rule(current, slots_[0], slots_[1]);
      }
    }
    for (std::size_t i = K - 1; i > 0; --i) slots_[i] = slots_[i - 1];
    slots_[0] = current;
    if (held_ < K) ++held_;
    return out;
  }

 private:
  std::array<Candle, K> slots_{};
  std::size_t held_ = 0;
};

}  // namespace sorvik::td
