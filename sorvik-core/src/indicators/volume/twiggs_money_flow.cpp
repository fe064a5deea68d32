#include "indicators/volume/twiggs_money_flow.hpp"

#include <algorithm>

namespace sorvik {

Expected<TwiggsMoneyFlow> TwiggsMoneyFlow::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TwiggsMoneyFlow(period);
}

std::optional<double> TwiggsMoneyFlow::update(const Candle& c) noexcept {
  if (!has_prev_) {
    prev_close_ = c.close;
    has_prev_ = true;
    return std::nullopt;
  }
  const double th = std::max(c.high, prev_close_);
  const double tl = std::min(c.low, prev_close_);
  prev_close_ = c.close;
  const double spread = th - tl;
  const double ad = spread > 0.0 ? ((c.close * 2.0 - th) - tl) * c.volume / spread : 0.0;
  const auto avg_ad = ad_.update(ad);
  const auto avg_volume = volume_.update(c.volume);
  if (!avg_ad || !avg_volume) return std::nullopt;
  if (*avg_volume == 0.0) return 0.0;
  return *avg_ad / *avg_volume;
}

}  // namespace sorvik
