#include "indicators/derivatives_breadth/oi_weighted.hpp"

namespace sorvik {

Expected<OIWeighted> OIWeighted::create() { return OIWeighted(); }

}  // namespace sorvik
