#include "indicators/moving_averages/alligator.hpp"

namespace sorvik {

Expected<Alligator> Alligator::create(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips) {
  if (auto err = AlligatorLines::check(jaw, teeth, lips)) return fail(*err);
  return Alligator(jaw, teeth, lips);
}

}  // namespace sorvik
