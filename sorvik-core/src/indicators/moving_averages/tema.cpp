#include "indicators/moving_averages/tema.hpp"

namespace sorvik {

Expected<Tema> Tema::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Tema(period);
}

}  // namespace sorvik
