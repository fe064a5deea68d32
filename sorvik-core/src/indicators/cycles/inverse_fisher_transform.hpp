#pragma once

#include <cmath>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Inverse Fisher transform of the close: tanh(x * scale).
class InverseFisherTransform {
 public:
  static constexpr bool stateless = true;
  /// Checks: the scale finite and > 0.
  static Expected<InverseFisherTransform> create(double scale);
  explicit InverseFisherTransform(double scale) noexcept : scale_(scale) {}

  std::optional<double> update(double x) const noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return std::tanh(x * scale_);
  }

 private:
  double scale_;
};

}  // namespace sorvik
