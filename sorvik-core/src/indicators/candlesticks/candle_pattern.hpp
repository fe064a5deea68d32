#pragma once

// The frame every candlestick detector shares: it keeps the n most recent valid candles of an
// n-candle pattern, answers nothing until n candles are held, and from then on answers the pattern's
// signal for every candle. A detector is a class deriving from `CandlePattern<Detector, n>` with
//   static double detect(const Bar& c1, ..., const Bar& cn);   // c1 the oldest, cn the current
// and no parameters.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "indicators/candlesticks/candle_shape.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::candles {

/// The last N candles, oldest first, shifted by one slot per candle.
template <std::size_t N>
class CandleRun {
 public:
  /// Shifts `k` in (the oldest drops out); true once N candles are held.
  bool push(const Candle& k) noexcept {
    for (std::size_t i = 1; i < N; ++i) bars_[i - 1] = bars_[i];
    bars_[N - 1] = Bar(k);
    if (held_ < N) ++held_;
    return held_ == N;
  }
  [[nodiscard]] const std::array<Bar, N>& bars() const noexcept { return bars_; }

 private:
  std::array<Bar, N> bars_{};
  std::size_t held_ = 0;
};

template <class Detector, std::size_t N>
class CandlePattern {
 public:
  static Expected<Detector> create() { return Detector(); }

  /// The candle is valid (the caller has checked it).
  std::optional<double> update(const Candle& k) noexcept {
    if (!run_.push(k)) return std::nullopt;
    return apply(std::make_index_sequence<N>{});
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return N; }

 private:
  template <std::size_t... I>
  double apply(std::index_sequence<I...>) const noexcept {
    return Detector::detect(run_.bars()[I]...);
  }

  CandleRun<N> run_;
};

}  // namespace sorvik::candles
