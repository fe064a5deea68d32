#include "indicators/momentum/coppock.hpp"

namespace sorvik {

Expected<Coppock> Coppock::create(std::uint64_t roc_long, std::uint64_t roc_short, std::uint64_t wma) {
  for (const std::uint64_t n : {roc_long, roc_short, wma}) {
    if (auto err = check_period(n)) return fail(*err);
  }
  return Coppock(roc_long, roc_short, wma);
}

}  // namespace sorvik
