#include "indicators/momentum/trix.hpp"

namespace sorvik {

Expected<Trix> Trix::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Trix(period);
}

}  // namespace sorvik
