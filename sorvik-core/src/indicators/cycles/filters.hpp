#pragma once

// The recursive filter stages shared by the cycle family: the super smoother, the one- and
// two-pole high-passes, the band-pass and the roofing filter. Each stage takes finite inputs only
// (its owner skips the others) and answers on every input. Coefficients are computed once, at
// construction, from the run's parameters (the constructors live in filters.cpp).

#include <cstdint>

#include "sorvik/blocks.hpp"

namespace sorvik::cycles {

/// Super smoother of period P: a = exp(-sqrt(2)*pi/P), c2 = 2a * cos(sqrt(2)*pi/P), c3 = -a^2,
/// c1 = 1 - c2 - c3. Once the previous input and two previous outputs exist,
/// f = c1 * midpoint(u, u_prev) + c2 * f1 + c3 * f2; before that f = u.
class SuperSmootherStage {
 public:
  /// The period is a real number (Reflex and Trendflex use n * 0.5).
  explicit SuperSmootherStage(double period) noexcept;

  double update(double u) noexcept {
    double f = u;
    if (outputs_ >= 2) [[likely]] {
      f = (c1_ * midpoint(u, u_prev_) + c2_ * f1_) + c3_ * f2_;
    } else {
      ++outputs_;
    }
    f2_ = f1_;
    f1_ = f;
    u_prev_ = u;
    return f;
  }

  [[nodiscard]] double c1() const noexcept { return c1_; }
  [[nodiscard]] double c2() const noexcept { return c2_; }
  [[nodiscard]] double c3() const noexcept { return c3_; }

 private:
  double c1_, c2_, c3_;
  double u_prev_ = 0.0, f1_ = 0.0, f2_ = 0.0;
  int outputs_ = 0;  // outputs written so far, counted up to 2
};

/// One-pole high-pass of period P: alpha = (cos(2pi/P) + sin(2pi/P) - 1) / cos(2pi/P);
/// hp = (1 - alpha/2) * (x - x_prev) + (1 - alpha) * hp_prev, and 0 on the first input.
class OnePoleHighpass {
 public:
  explicit OnePoleHighpass(std::uint64_t period) noexcept;

  double update(double x) noexcept {
    double hp = 0.0;
    if (started_) [[likely]] {
      hp = k_diff_ * (x - x_prev_) + k_prev_ * hp_prev_;
    }
    started_ = true;
    x_prev_ = x;
    hp_prev_ = hp;
    return hp;
  }

  [[nodiscard]] double alpha() const noexcept { return alpha_; }

 private:
  double alpha_;
  double k_diff_;  // 1 - alpha/2
  double k_prev_;  // 1 - alpha
  double x_prev_ = 0.0, hp_prev_ = 0.0;
  bool started_ = false;
};

/// Two-pole high-pass of period P: theta = 0.707*2pi/P, alpha = (cos theta + sin theta - 1)/cos theta.
/// Once two previous inputs exist, hp = (1 - alpha/2)^2 * (x - 2 x1 + x2) + 2 (1 - alpha) hp1
/// - (1 - alpha)^2 hp2; before that hp = 0 (the outputs still shift).
class TwoPoleHighpass {
 public:
  explicit TwoPoleHighpass(std::uint64_t period) noexcept;

  double update(double x) noexcept {
    double hp = 0.0;
    if (inputs_ >= 2) [[likely]] {
      hp = (k_diff_ * ((x - 2.0 * x1_) + x2_) + k_hp1_ * hp1_) - k_hp2_ * hp2_;
    } else {
      ++inputs_;
    }
    x2_ = x1_;
    x1_ = x;
    hp2_ = hp1_;
    hp1_ = hp;
    return hp;
  }

 private:
  double k_diff_;  // (1 - alpha/2)^2
  double k_hp1_;   // 2 (1 - alpha)
  double k_hp2_;   // (1 - alpha)^2
  double x1_ = 0.0, x2_ = 0.0, hp1_ = 0.0, hp2_ = 0.0;
  int inputs_ = 0;  // previous inputs held, counted up to 2
};

/// Band-pass of period P and bandwidth d: beta = cos(2pi/P), gamma = 1/cos(4pi d/P),
/// alpha = gamma - sqrt(gamma^2 - 1). Once the input two bars back exists,
/// bp = 0.5 (1 - alpha) (x - x2) + beta (1 + alpha) bp1 - alpha bp2; before that bp = 0.
class BandpassStage {
 public:
  BandpassStage(std::uint64_t period, double bandwidth) noexcept;

  double update(double x) noexcept {
    double bp = 0.0;
    if (inputs_ >= 2) [[likely]] {
      bp = (k_diff_ * (x - x2_) + k_bp1_ * bp1_) - alpha_ * bp2_;
    } else {
      ++inputs_;
    }
    x2_ = x1_;
    x1_ = x;
    bp2_ = bp1_;
    bp1_ = bp;
    return bp;
  }

  /// The two previous outputs (0 until written).
  [[nodiscard]] double bp1() const noexcept { return bp1_; }
  [[nodiscard]] double bp2() const noexcept { return bp2_; }

 private:
  double alpha_;
  double k_diff_;  // 0.5 (1 - alpha)
  double k_bp1_;   // beta (1 + alpha)
  double x1_ = 0.0, x2_ = 0.0, bp1_ = 0.0, bp2_ = 0.0;
  int inputs_ = 0;
};

/// Roofing filter (lp, hp): the one-pole high-pass of period hp feeding the super smoother of
/// period lp.
class RoofingStage {
 public:
  RoofingStage(std::uint64_t lp_period, std::uint64_t hp_period) noexcept
      : hp_(hp_period), ss_(static_cast<double>(lp_period)) {}

  double update(double x) noexcept { return ss_.update(hp_.update(x)); }

 private:
  OnePoleHighpass hp_;
  SuperSmootherStage ss_;
};

}  // namespace sorvik::cycles
