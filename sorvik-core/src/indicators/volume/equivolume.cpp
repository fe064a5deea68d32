#include "indicators/volume/equivolume.hpp"

namespace sorvik {

Expected<Equivolume> Equivolume::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Equivolume(period);
}

}  // namespace sorvik
