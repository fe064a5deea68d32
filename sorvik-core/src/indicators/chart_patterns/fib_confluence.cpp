#include "indicators/chart_patterns/fib_confluence.hpp"

namespace sorvik {

std::array<double, 2> FibConfluence::cluster() const noexcept {
  std::array<double, 15> levels{};
  std::size_t n = 0;
  for (std::size_t i = 1; i < swing_.size(); ++i) {
    const double q = swing_[i - 1].price;
    const double r = swing_[i].price;
    for (const double x : {0.382, 0.5, 0.618}) levels[n++] = chart::retracement(x, q, r);
  }
  std::size_t best = 0;
  std::size_t best_size = 0;
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t size = 0;
    for (std::size_t j = 0; j < n; ++j) {
      if (chart::matches(levels[i], levels[j])) ++size;
    }
    if (size >= best_size) {
      best_size = size;
      best = i;
    }
  }
  double sum = 0.0;
  for (std::size_t j = 0; j < n; ++j) {
    if (chart::matches(levels[best], levels[j])) sum = sum + levels[j];
  }
  return {sum / static_cast<double>(best_size), static_cast<double>(best_size)};
}

}  // namespace sorvik
