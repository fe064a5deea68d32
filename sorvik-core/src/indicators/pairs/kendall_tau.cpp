#include "indicators/pairs/kendall_tau.hpp"

#include <algorithm>
#include <cmath>

namespace sorvik {

Expected<KendallTau> KendallTau::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "Kendall tau needs period >= 2")) return fail(*err);
  return KendallTau(period);
}

void KendallTau::compare(double a, double b, std::size_t from, bool add) noexcept {
  std::uint64_t c = 0;
  std::uint64_t d = 0;
  std::uint64_t tx = 0;
  std::uint64_t ty = 0;
  const std::size_t n = window_.size();
  for (std::size_t i = from; i < n; ++i) {
    const pairs::XY& h = window_[i];
    if (a == h.x) {
      ++tx;
      if (b == h.y) ++ty;
    } else if (b != h.y) {
      const double s = (a - h.x) * (b - h.y);
      if (s > 0.0) {
        ++c;
      } else if (s < 0.0) {
        ++d;
      }
    } else {
      ++ty;
    }
  }
  if (add) {
    concordant_ += c;
    discordant_ += d;
    ties_x_ += tx;
    ties_y_ += ty;
  } else {
    concordant_ -= c;
    discordant_ -= d;
    ties_x_ -= tx;
    ties_y_ -= ty;
  }
}

std::optional<double> KendallTau::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  std::size_t from = 0;
  if (window_.full()) {
    const pairs::XY leaving = window_.oldest();
    compare(leaving.x, leaving.y, 1, false);
    from = 1;
  }
  compare(p.x, p.y, from, true);
  window_.push_discard(pairs::XY{p.x, p.y});
  if (!window_.full()) return std::nullopt;
  const std::uint64_t k = window_.size();
  const std::uint64_t total = k * (k - 1) / 2;
  const double v = static_cast<double>(total - ties_y_) * static_cast<double>(total - ties_x_);
  if (v == 0.0) return 0.0;
  const double diff = static_cast<double>(concordant_) - static_cast<double>(discordant_);
  return std::clamp(diff / std::sqrt(v), -1.0, 1.0);
}

}  // namespace sorvik
