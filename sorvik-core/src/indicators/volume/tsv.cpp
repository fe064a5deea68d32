#include "indicators/volume/tsv.hpp"

namespace sorvik {

Expected<Tsv> Tsv::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Tsv(period);
}

}  // namespace sorvik
