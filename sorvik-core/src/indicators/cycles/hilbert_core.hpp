#pragma once

// The Hilbert-transform cycle measurement shared by HtDcPhase, HilbertDominantCycle, SineWave,
// HtTrendMode, AdaptiveCycle and HtPhasor: smoothed price, detrender, in-phase and quadrature
// components, the homodyne discriminator and the (smoothed) dominant-cycle period, plus the
// dominant-cycle phase computed from it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace sorvik::cycles {

/// A short history of the last N values, newest first (`[0]` is the newest).
template <std::size_t N>
class Recent {
 public:
  void push(double x) noexcept {
    head_ = head_ == 0 ? N - 1 : head_ - 1;
    v_[head_] = x;
    if (size_ < N) ++size_;
  }
  [[nodiscard]] double operator[](std::size_t k) const noexcept {
    std::size_t j = head_ + k;
    if (j >= N) j -= N;
    return v_[j];
  }
  [[nodiscard]] std::size_t size() const noexcept { return size_; }
  [[nodiscard]] bool full() const noexcept { return size_ == N; }

 private:
  std::array<double, N> v_{};
  std::size_t head_ = 0;
  std::size_t size_ = 0;
};

/// The Hilbert-transform core. Every finite input counts; from the 4th input on each update
/// smooths the price and advances the period estimate, while the detrender, the I1/Q1 components and
/// the phasor (I2, Q2, Re, Im) start once their own histories hold 7 values.
class HilbertCore {
 public:
  /// Answers the first bar with answers: 50 for the period and phase measures.
  static constexpr std::uint64_t WARMUP = 50;
  /// The first input at which 7 I1 and 7 Q1 values exist.
  static constexpr std::uint64_t PHASOR_WARMUP = 22;

  /// Feeds a finite price; false while fewer than 4 prices were seen (nothing else moved).
  bool update(double x) noexcept;

  [[nodiscard]] std::uint64_t count() const noexcept { return count_; }
  [[nodiscard]] double period() const noexcept { return period_; }
  [[nodiscard]] double smoothed_period() const noexcept { return smoothed_period_; }
  /// The newest smoothed price (meaningful once `update` returned true).
  [[nodiscard]] double smooth() const noexcept { return smooth50_[0]; }
  [[nodiscard]] const Recent<50>& smooth_history() const noexcept { return smooth50_; }
  /// Whether 7 I1 and 7 Q1 values exist, and the newest of each.
  [[nodiscard]] bool phasor_ready() const noexcept { return i1_.full() && q1_.full(); }
  [[nodiscard]] double i1() const noexcept { return i1_[0]; }
  [[nodiscard]] double q1() const noexcept { return q1_[0]; }

 private:
  Recent<4> prices_;
  Recent<7> smooth7_, detrender_, i1_, q1_;
  Recent<50> smooth50_;
  double i2_ = 0.0, q2_ = 0.0, re_ = 0.0, im_ = 0.0;
  double period_ = 0.0, smoothed_period_ = 0.0;
  std::uint64_t count_ = 0;
};

/// The dominant-cycle phase of the core's current state.
struct DcPhase {
  double phase;   // degrees
  std::size_t k;  // the number of smoothed prices the phase was measured over (1..50)
};

/// K = max(1, min(floor(smoothed period + 0.5), smoothed prices held, 50)); real and imag are the
/// sine- and cosine-weighted sums over the newest K smoothed prices (added oldest first); the
/// phase is atan(real/imag) in degrees + 90 (0 or 180 when |imag| <= 0.001), then advanced by
/// 360/smoothed period, +180 when imag < 0, and -360 above 315. Call after an update that returned
/// true.
[[nodiscard]] DcPhase dc_phase(const HilbertCore& core) noexcept;

/// Degrees to radians: pi / 180.
inline constexpr double DEG_TO_RAD = 0.017453292519943295;

}  // namespace sorvik::cycles
