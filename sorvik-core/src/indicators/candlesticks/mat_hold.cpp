#include "indicators/candlesticks/mat_hold.hpp"

// The detector is a handful of comparisons and lives in its header.
