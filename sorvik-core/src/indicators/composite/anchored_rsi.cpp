// The anchored RSI has no parameters: everything is in the header.
#include "indicators/composite/anchored_rsi.hpp"
