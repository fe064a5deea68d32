#include "indicators/moving_averages/gator_oscillator.hpp"

namespace sorvik {

Expected<GatorOscillator> GatorOscillator::create(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips) {
  if (auto err = AlligatorLines::check(jaw, teeth, lips)) return fail(*err);
  return GatorOscillator(jaw, teeth, lips);
}

}  // namespace sorvik
