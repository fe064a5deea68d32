#include "indicators/chart_patterns/andrews_pitchfork.hpp"

#include "indicators/chart_patterns/swing.hpp"

namespace sorvik {

Expected<AndrewsPitchfork> AndrewsPitchfork::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return AndrewsPitchfork(period);
}

void AndrewsPitchfork::add_pivot(Point p) noexcept {
  if (count_ != 0) {
    Point& last = pivots_[count_ - 1];
    if (last.kind == p.kind) {
      // A second high in a row keeps the higher one, a second low the lower one.
      if ((p.kind > 0 && p.price > last.price) || (p.kind < 0 && p.price < last.price)) last = p;
      return;
    }
  }
  if (count_ == pivots_.size()) {
    pivots_[0] = pivots_[1];
    pivots_[1] = pivots_[2];
    --count_;
  }
  pivots_[count_++] = p;
}

std::optional<std::array<double, 3>> AndrewsPitchfork::update(const Candle& c) {
  const std::uint64_t now = bars_++;
  window_.push_discard({c.high, c.low});
  if (!window_.full()) return std::nullopt;

  const HighLow mid = window_[n_];
  bool is_high = true;
  bool is_low = true;
  for (std::size_t i = 0; i < window_.size(); ++i) {
    if (i == n_) continue;
    if (!(window_[i].high < mid.high)) is_high = false;
    if (!(window_[i].low > mid.low)) is_low = false;
  }
  if (is_high != is_low) add_pivot({now - n_, is_high ? mid.high : mid.low, is_high ? 1 : -1});
  if (count_ < 3) return std::nullopt;

  const auto [b1, p1, k1] = pivots_[0];
  const auto [b2, p2, k2] = pivots_[1];
  const auto [b3, p3, k3] = pivots_[2];
  const double s = (midpoint(p2, p3) - p1) /
                   (midpoint(static_cast<double>(b2), static_cast<double>(b3)) - static_cast<double>(b1));
  const double median = chart::line_at(b1, p1, s, now);
  const double t2 = p2 - chart::line_at(b1, p1, s, b2);
  const double t3 = p3 - chart::line_at(b1, p1, s, b3);
  return std::array<double, 3>{median, std::max(t2, t3) + median, std::min(t2, t3) + median};
}

}  // namespace sorvik
