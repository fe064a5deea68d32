#include "indicators/statistics/sample_entropy.hpp"

namespace sorvik {

Expected<SampleEntropy> SampleEntropy::create(std::uint64_t period, std::uint64_t m, double r_factor) {
  if (period == 0) return fail(IndicatorError::zero_period());
  if (m == 0) return fail(IndicatorError::zero_period());
  if (period < 2 || period - 2 < m) {  // period >= m + 2, without overflow
    return fail(IndicatorError::invalid_period("sample entropy needs period >= m + 2"));
  }
  if (!std::isfinite(r_factor) || !(r_factor > 0.0)) {
    return fail(IndicatorError::invalid_parameter("sample entropy r_factor must be finite and positive"));
  }
  return SampleEntropy(period, m, r_factor);
}

std::optional<double> SampleEntropy::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  work_.clear();
  window_.for_each([&](double v) { work_.push_back(v); });
  const std::size_t n = work_.size();
  const double nf = static_cast<double>(n);
  bool flat = true;
  double sum = 0.0;
  for (double v : work_) {
    sum = sum + v;
    flat = flat && v == work_[0];
  }
  if (flat) return 0.0;
  const double mean = sum / nf;
  double ss = 0.0;
  for (double v : work_) {
    const double d = v - mean;
    ss = ss + d * d;
  }
  const double sigma = std::sqrt(ss / nf);
  if (sigma == 0.0) return 0.0;
  const double r = r_factor_ * sigma;
  const std::size_t starts = n - m_;
  std::uint64_t b = 0;
  std::uint64_t a = 0;
  for (std::size_t i = 0; i < starts; ++i) {
    for (std::size_t j = i + 1; j < starts; ++j) {
      bool match = true;
      for (std::size_t k = 0; k < m_; ++k) {
        if (std::fabs(work_[i + k] - work_[j + k]) > r) {
          match = false;
          break;
        }
      }
      if (!match) continue;
      ++b;
      if (std::fabs(work_[i + m_] - work_[j + m_]) <= r) ++a;
    }
  }
  if (b == 0) return 0.0;
  if (a > 0) return -std::log(static_cast<double>(a) / static_cast<double>(b));
  return std::log(static_cast<double>(b));
}

}  // namespace sorvik
