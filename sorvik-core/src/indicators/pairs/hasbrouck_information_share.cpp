#include "indicators/pairs/hasbrouck_information_share.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "indicators/pairs/least_squares.hpp"

namespace sorvik {

Expected<HasbrouckInformationShare> HasbrouckInformationShare::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 6, "information share needs period >= 6")) return fail(*err);
  return HasbrouckInformationShare(period);
}

std::optional<double> HasbrouckInformationShare::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  if (seen_ < 2) {
    prev2_ = prev_;
    prev_ = p;
    ++seen_;
    return std::nullopt;
  }
  rows_.push_discard(Row{p.x - prev_.x, p.y - prev_.y, prev_.x - prev_.y, prev_.x - prev2_.x, prev_.y - prev2_.y});
  prev2_ = prev_;
  prev_ = p;
  if (!rows_.full()) return std::nullopt;

  std::array<double, 16> a{};
  std::array<double, 4> cx{};
  std::array<double, 4> cy{};
  rows_.for_each([&](const Row& row) {
    const std::array<double, 4> r{1.0, row.z, row.dx_prev, row.dy_prev};
    for (std::size_t i = 0; i < 4; ++i) {
      for (std::size_t j = 0; j < 4; ++j) a[i * 4 + j] = a[i * 4 + j] + r[i] * r[j];
      cx[i] = cx[i] + row.dx * r[i];
      cy[i] = cy[i] + row.dy * r[i];
    }
  });
  std::array<double, 4> bx{};
  std::array<double, 4> by{};
  if (!pairs::solve_pivoted4(a, cx, bx) || !pairs::solve_pivoted4(a, cy, by)) return 0.5;

  double sxx = 0.0;
  double syy = 0.0;
  double sxy = 0.0;
  rows_.for_each([&](const Row& row) {
    const std::array<double, 4> r{1.0, row.z, row.dx_prev, row.dy_prev};
    const double ex = row.dx - pairs::dot(r.data(), bx.data(), 4);
    const double ey = row.dy - pairs::dot(r.data(), by.data(), 4);
    sxx = sxx + ex * ex;
    syy = syy + ey * ey;
    sxy = sxy + ex * ey;
  });
  const double n = static_cast<double>(rows_.size());
  const double oxx = sxx / n;
  const double oyy = syy / n;
  const double oxy = sxy / n;
  const double ax = bx[1];
  const double ay = by[1];
  if (!(oxx > 0.0) || !(oyy > 0.0)) return 0.5;
  const double r = ax * ax * oyy + (ay * ay * oxx - 2.0 * ay * ax * oxy);
  if (!(r > 0.0)) return 0.5;
  const double sqrt_xx = std::sqrt(oxx);
  const double sqrt_yy = std::sqrt(oyy);
  const double u = ay * sqrt_xx - ax * oxy / sqrt_xx;
  const double is1 = std::min(u * u / r, 1.0);
  const double w = ay * oxy / sqrt_yy - ax * sqrt_yy;
  const double is2 = std::clamp(1.0 - w * w / r, 0.0, 1.0);
  const double share = midpoint(is1, is2);
  return std::isfinite(share) ? share : 0.5;
}

}  // namespace sorvik
