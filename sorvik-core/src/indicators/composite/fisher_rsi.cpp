#include "indicators/composite/fisher_rsi.hpp"

namespace sorvik {

Expected<FisherRsi> FisherRsi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return FisherRsi(period);
}

}  // namespace sorvik
