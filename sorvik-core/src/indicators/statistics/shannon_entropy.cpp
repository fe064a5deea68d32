#include "indicators/statistics/shannon_entropy.hpp"

#include <algorithm>

namespace sorvik {

Expected<ShannonEntropy> ShannonEntropy::create(std::uint64_t period, std::uint64_t bins) {
  if (period == 0) return fail(IndicatorError::zero_period());
  if (bins == 0) return fail(IndicatorError::zero_period());
  if (bins < 2) return fail(IndicatorError::invalid_period("Shannon entropy needs bins >= 2"));
  if (auto err = check_max_period(bins)) return fail(*err);
  return ShannonEntropy(period, bins);
}

std::optional<double> ShannonEntropy::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  const double lo = scan_min(window_);
  const double hi = scan_max(window_);
  if (hi <= lo) return 0.0;
  const double width = (hi - lo) / static_cast<double>(bins_);
  const std::uint64_t last = bins_ - 1;
  const double last_f = static_cast<double>(last);
  // floor((v - lo) / width), capped at bins - 1 (a 0/0 of a vanishing width counts as bin 0).
  const auto bin_of = [&](double v) -> std::uint64_t {
    const double q = (v - lo) / width;
    if (q >= last_f) return last;
    if (!(q > 0.0)) return 0;
    return static_cast<std::uint64_t>(std::floor(q));
  };
  double sum = 0.0;
  const auto add = [&](std::uint64_t count) {
    const double p = static_cast<double>(count) / n_;
    sum = sum + p * std::log2(p);
  };
  if (bins_ <= window_.size()) {
    scratch_.assign(static_cast<std::size_t>(bins_), 0);
    window_.for_each([&](double v) { ++scratch_[static_cast<std::size_t>(bin_of(v))]; });
    for (std::uint64_t c : scratch_) {
      if (c != 0) add(c);
    }
  } else {
    scratch_.clear();
    window_.for_each([&](double v) { scratch_.push_back(bin_of(v)); });
    std::sort(scratch_.begin(), scratch_.end());
    std::size_t i = 0;
    while (i < scratch_.size()) {
      std::size_t j = i + 1;
      while (j < scratch_.size() && scratch_[j] == scratch_[i]) ++j;
      add(j - i);
      i = j;
    }
  }
  return -sum;
}

}  // namespace sorvik
