#include "indicators/candlesticks/gap_side_by_side_white.hpp"

// The detector is a handful of comparisons and lives in its header.
