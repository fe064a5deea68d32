#include "indicators/derivatives_breadth/advance_decline.hpp"

namespace sorvik {

Expected<AdvanceDecline> AdvanceDecline::create() { return AdvanceDecline(); }

}  // namespace sorvik
