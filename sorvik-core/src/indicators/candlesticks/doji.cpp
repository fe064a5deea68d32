#include "indicators/candlesticks/doji.hpp"

// The detector is a handful of comparisons and lives in its header.
