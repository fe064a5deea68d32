#include "indicators/candlesticks/long_legged_doji.hpp"

// The detector is a handful of comparisons and lives in its header.
