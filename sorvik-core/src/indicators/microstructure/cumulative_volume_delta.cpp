#include "indicators/microstructure/cumulative_volume_delta.hpp"

namespace sorvik {

Expected<CumulativeVolumeDelta> CumulativeVolumeDelta::create() { return CumulativeVolumeDelta{}; }

}  // namespace sorvik
