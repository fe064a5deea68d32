#include "indicators/candlesticks/matching_low.hpp"

// The detector is a handful of comparisons and lives in its header.
