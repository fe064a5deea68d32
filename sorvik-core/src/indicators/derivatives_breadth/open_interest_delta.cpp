#include "indicators/derivatives_breadth/open_interest_delta.hpp"

namespace sorvik {

Expected<OpenInterestDelta> OpenInterestDelta::create() { return OpenInterestDelta(); }

}  // namespace sorvik
