#pragma once

// The one-bar changes of a pair series: the first pair only sets the previous pair; every later one
// answers (x - previous x, y - previous y) and becomes the previous pair.

#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/records.hpp"

namespace sorvik::pairs {

class PairChanges {
 public:
  /// The change from the previous pair, or nothing for the first pair.
  std::optional<XY> update(PairInput p) noexcept {
    if (!has_prev_) {
      prev_ = p;
      has_prev_ = true;
      return std::nullopt;
    }
    const XY d{p.x - prev_.x, p.y - prev_.y};
    prev_ = p;
    return d;
  }

 private:
  PairInput prev_;
  bool has_prev_ = false;
};

}  // namespace sorvik::pairs
