#include "indicators/derivatives_breadth/cumulative_volume_index.hpp"

namespace sorvik {

Expected<CumulativeVolumeIndex> CumulativeVolumeIndex::create() { return CumulativeVolumeIndex(); }

}  // namespace sorvik
