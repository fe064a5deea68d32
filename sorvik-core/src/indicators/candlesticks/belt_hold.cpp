#include "indicators/candlesticks/belt_hold.hpp"

// The detector is a handful of comparisons and lives in its header.
