#pragma once

#include <optional>
#include <span>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The signed size of the bar's last trade (+size for a buy, −size for a sell).
class SignedVolume {
 public:
  static constexpr bool stateless = true;

  static Expected<SignedVolume> create();

  static std::optional<double> update(std::span<const Trade> trades) noexcept {
    if (trades.empty()) return std::nullopt;
    return signed_size(trades.back());
  }
};

}  // namespace sorvik
