#include "indicators/microstructure/effective_spread.hpp"

namespace sorvik {

Expected<EffectiveSpread> EffectiveSpread::create() { return EffectiveSpread{}; }

}  // namespace sorvik
