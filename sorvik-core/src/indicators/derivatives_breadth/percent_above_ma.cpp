#include "indicators/derivatives_breadth/percent_above_ma.hpp"

namespace sorvik {

Expected<PercentAboveMa> PercentAboveMa::create() {
  return PercentAboveMa();
}

}  // namespace sorvik
