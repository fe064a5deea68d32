#include "indicators/candlesticks/stalled_pattern.hpp"

// The detector is a handful of comparisons and lives in its header.
