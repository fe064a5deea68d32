#include "indicators/candlesticks/dragonfly_doji.hpp"

// The detector is a handful of comparisons and lives in its header.
