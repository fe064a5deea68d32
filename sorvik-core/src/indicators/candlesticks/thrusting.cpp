#include "indicators/candlesticks/thrusting.hpp"

// The detector is a handful of comparisons and lives in its header.
