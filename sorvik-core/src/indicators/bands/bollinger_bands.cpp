#include "indicators/bands/bollinger_bands.hpp"

namespace sorvik {

Expected<BollingerBands> BollingerBands::create(std::uint64_t period, double k) {
  if (auto err = check(period, k)) return fail(*err);
  return BollingerBands(period, k);
}

}  // namespace sorvik
