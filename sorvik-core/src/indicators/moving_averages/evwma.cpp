#include "indicators/moving_averages/evwma.hpp"

namespace sorvik {

Expected<Evwma> Evwma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Evwma(period);
}

std::optional<double> Evwma::update(const Candle& c) {
  if (auto o = volumes_.push(c.volume)) {
    volume_sum_ = (volume_sum_ - *o) + c.volume;
  } else {
    volume_sum_ = volume_sum_ + c.volume;
  }
  if (!volumes_.full()) return std::nullopt;
  if (volume_sum_ > 0.0) {
    const double prev = value_ ? *value_ : c.close;
    value_ = (c.close * c.volume + (volume_sum_ - c.volume) * prev) / volume_sum_;
  } else if (!value_) {
    value_ = c.close;
  }
  return value_;
}

}  // namespace sorvik
