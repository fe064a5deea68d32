#include "indicators/candlesticks/three_outside.hpp"

// The detector is a handful of comparisons and lives in its header.
