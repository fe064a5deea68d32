#include "indicators/microstructure/pin.hpp"

namespace sorvik {

Expected<Pin> Pin::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Pin(period);
}

}  // namespace sorvik
