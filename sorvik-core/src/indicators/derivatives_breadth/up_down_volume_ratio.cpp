#include "indicators/derivatives_breadth/up_down_volume_ratio.hpp"

namespace sorvik {

Expected<UpDownVolumeRatio> UpDownVolumeRatio::create() {
  return UpDownVolumeRatio();
}

}  // namespace sorvik
