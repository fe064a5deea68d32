#include "indicators/candlesticks/kicking_by_length.hpp"

// The detector is a handful of comparisons and lives in its header.
