#include "indicators/derivatives_breadth/ad_volume_line.hpp"

namespace sorvik {

Expected<AdVolumeLine> AdVolumeLine::create() { return AdVolumeLine(); }

}  // namespace sorvik
