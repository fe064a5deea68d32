#include "indicators/cycles/hilbert_core.hpp"

#include <algorithm>
#include <cmath>

namespace sorvik::cycles {

namespace {

constexpr double EPS = 2.220446049250313e-16;
constexpr double RAD_TO_DEG = 57.29577951308232;

/// H(h) = 0.0962 h0 + 0.5769 h2 - 0.5769 h4 - 0.0962 h6.
double hilbert(const Recent<7>& h) noexcept {
  return ((0.0962 * h[0] + 0.5769 * h[2]) - 0.5769 * h[4]) - 0.0962 * h[6];
}

/// sin(2 pi j / K) and cos(2 pi j / K) for K = 1..50, j = 0..K-1; built once, on first use.
struct PhaseWeights {
  std::array<std::array<double, 50>, 51> sin_w{};
  std::array<std::array<double, 50>, 51> cos_w{};

  PhaseWeights() noexcept {
    // Read through a volatile so that the weights come from the run-time library like every other
    // trigonometric value of the family.
    volatile double two_pi_v = 6.283185307179586;
    const double two_pi = two_pi_v;
    for (std::size_t k = 1; k <= 50; ++k) {
      for (std::size_t j = 0; j < k; ++j) {
        const double angle = two_pi * static_cast<double>(j) / static_cast<double>(k);
        sin_w[k][j] = std::sin(angle);
        cos_w[k][j] = std::cos(angle);
      }
    }
  }
};

const PhaseWeights& phase_weights() noexcept {
  static const PhaseWeights weights;
  return weights;
}

}  // namespace

bool HilbertCore::update(double x) noexcept {
  ++count_;
  prices_.push(x);
  if (!prices_.full()) return false;

  const double smooth = ((4.0 * x + 3.0 * prices_[1]) + 2.0 * prices_[2] + prices_[3]) / 10.0;
  smooth7_.push(smooth);
  smooth50_.push(smooth);

  if (smooth7_.full()) {
    const double adj = 0.075 * std::clamp(period_, 6.0, 50.0) + 0.54;
    detrender_.push(hilbert(smooth7_) * adj);
    if (detrender_.full()) {
      const double i1 = detrender_[3];
      const double q1 = hilbert(detrender_) * adj;
      i1_.push(i1);
      q1_.push(q1);
      if (i1_.full() && q1_.full()) {
        const double ji = hilbert(i1_) * adj;
        const double jq = hilbert(q1_) * adj;
        const double pi2 = i2_;
        const double pq2 = q2_;
        i2_ = 0.2 * (i1 - jq) + 0.8 * pi2;
        q2_ = 0.2 * (q1 + ji) + 0.8 * pq2;
        re_ = 0.2 * (i2_ * pi2 + q2_ * pq2) + 0.8 * re_;
        im_ = 0.2 * (i2_ * pq2 - q2_ * pi2) + 0.8 * im_;
      }
    }
  }

  const double prev = period_;
  double candidate = prev;
  if (std::fabs(re_) > EPS && std::fabs(im_) > EPS) candidate = 6.283185307179586 / std::atan2(im_, re_);
  if (candidate > 1.5 * prev) candidate = 1.5 * prev;
  if (candidate < 0.67 * prev) candidate = 0.67 * prev;
  candidate = std::clamp(candidate, 6.0, 50.0);
  period_ = 0.2 * candidate + 0.8 * prev;
  smoothed_period_ = 0.33 * period_ + 0.67 * smoothed_period_;
  return true;
}

DcPhase dc_phase(const HilbertCore& core) noexcept {
  const double sp = core.smoothed_period();
  const Recent<50>& smooth = core.smooth_history();
  const double rounded = std::floor(sp + 0.5);
  std::size_t k = rounded >= 50.0 ? 50 : (rounded > 0.0 ? static_cast<std::size_t>(rounded) : 0);
  k = std::min(k, smooth.size());
  k = std::max<std::size_t>(k, 1);

  const PhaseWeights& w = phase_weights();
  double real = 0.0;
  double imag = 0.0;
  for (std::size_t j = k; j-- > 0;) {
    real = real + w.sin_w[k][j] * smooth[j];
    imag = imag + w.cos_w[k][j] * smooth[j];
  }

  double phase;
  if (std::fabs(imag) > 0.001) {
    phase = std::atan(real / imag) * RAD_TO_DEG + 90.0;
  } else {
    phase = real < 0.0 ? 0.0 : 180.0;
  }
  phase = phase + 360.0 / sp;
  if (imag < 0.0) phase = phase + 180.0;
  if (phase > 315.0) phase = phase - 360.0;
  return {phase, k};
}

}  // namespace sorvik::cycles
