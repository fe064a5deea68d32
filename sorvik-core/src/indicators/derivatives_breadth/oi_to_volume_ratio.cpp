#include "indicators/derivatives_breadth/oi_to_volume_ratio.hpp"

namespace sorvik {

Expected<OiToVolumeRatio> OiToVolumeRatio::create() {
  return OiToVolumeRatio();
}

}  // namespace sorvik
