#include "indicators/moving_averages/vwma.hpp"

namespace sorvik {

Expected<Vwma> Vwma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Vwma(period);
}

std::optional<double> Vwma::update(const Candle& c) {
  const Bar b{c.close, c.volume, c.close * c.volume};
  if (auto o = window_.push(b)) {
    sum_cv_ = b.cv + (sum_cv_ - o->cv);
    sum_v_ = b.volume + (sum_v_ - o->volume);
    sum_c_ = b.close + (sum_c_ - o->close);
  } else {
    sum_cv_ = b.cv + sum_cv_;
    sum_v_ = b.volume + sum_v_;
    sum_c_ = b.close + sum_c_;
  }
  if (++pushes_ == window_.capacity()) {
    sum_cv_ = 0.0;
    sum_v_ = 0.0;
    sum_c_ = 0.0;
    window_.for_each([&](const Bar& e) {
      sum_cv_ = sum_cv_ + e.cv;
      sum_v_ = sum_v_ + e.volume;
      sum_c_ = sum_c_ + e.close;
    });
    pushes_ = 0;
  }
  if (!window_.full()) return std::nullopt;
  if (sum_v_ > 0.0) return sum_cv_ / sum_v_;
  return sum_c_ / static_cast<double>(window_.capacity());
}

}  // namespace sorvik
