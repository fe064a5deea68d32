#include "indicators/candlesticks/tasuki_gap.hpp"

// The detector is a handful of comparisons and lives in its header.
