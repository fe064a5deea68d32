#include "indicators/microstructure/quoted_spread.hpp"

namespace sorvik {

Expected<QuotedSpread> QuotedSpread::create() { return QuotedSpread{}; }

}  // namespace sorvik
