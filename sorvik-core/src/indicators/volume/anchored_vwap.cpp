#include "indicators/volume/anchored_vwap.hpp"

// The Vwap sums anchored at the first bar: everything is in the header.
