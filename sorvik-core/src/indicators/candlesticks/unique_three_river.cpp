#include "indicators/candlesticks/unique_three_river.hpp"

// The detector is a handful of comparisons and lives in its header.
