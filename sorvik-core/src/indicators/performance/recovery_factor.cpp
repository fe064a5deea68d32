#include "indicators/performance/recovery_factor.hpp"

namespace sorvik {

Expected<RecoveryFactor> RecoveryFactor::create() { return RecoveryFactor(); }

}  // namespace sorvik
