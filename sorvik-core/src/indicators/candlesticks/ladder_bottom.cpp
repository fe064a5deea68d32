#include "indicators/candlesticks/ladder_bottom.hpp"

// The detector is a handful of comparisons and lives in its header.
