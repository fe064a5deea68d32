#include "indicators/candlesticks/three_line_strike.hpp"

// The detector is a handful of comparisons and lives in its header.
