#include "indicators/cycles/filters.hpp"

#include <cmath>

namespace sorvik::cycles {

namespace {
constexpr double SQRT2_PI = 4.442882938158366;    // sqrt(2) * pi
constexpr double HP2_ANGLE = 4.442212012175967;   // 0.707 * 2 * pi
constexpr double TWO_PI = 6.283185307179586;
constexpr double FOUR_PI = 12.566370614359172;
}  // namespace

SuperSmootherStage::SuperSmootherStage(double period) noexcept {
  const double arg = SQRT2_PI / period;
  const double a = std::exp(-arg);
  c2_ = 2.0 * a * std::cos(arg);
  c3_ = -(a * a);
  c1_ = 1.0 - c2_ - c3_;
}

OnePoleHighpass::OnePoleHighpass(std::uint64_t period) noexcept {
  const double t = TWO_PI / static_cast<double>(period);
  const double c = std::cos(t);
  alpha_ = (c + std::sin(t) - 1.0) / c;
  k_diff_ = 1.0 - alpha_ / 2.0;
  k_prev_ = 1.0 - alpha_;
}

TwoPoleHighpass::TwoPoleHighpass(std::uint64_t period) noexcept {
  const double theta = HP2_ANGLE / static_cast<double>(period);
  const double c = std::cos(theta);
  const double alpha = (c + std::sin(theta) - 1.0) / c;
  const double half = 1.0 - alpha / 2.0;
  const double one_minus = 1.0 - alpha;
  k_diff_ = half * half;
  k_hp1_ = 2.0 * one_minus;
  k_hp2_ = one_minus * one_minus;
}

BandpassStage::BandpassStage(std::uint64_t period, double bandwidth) noexcept {
  const double p = static_cast<double>(period);
  const double beta = std::cos(TWO_PI / p);
  const double gamma = 1.0 / std::cos(FOUR_PI * bandwidth / p);
  alpha_ = gamma - std::sqrt(gamma * gamma - 1.0);
  k_diff_ = 0.5 * (1.0 - alpha_);
  k_bp1_ = beta * (1.0 + alpha_);
}

}  // namespace sorvik::cycles
