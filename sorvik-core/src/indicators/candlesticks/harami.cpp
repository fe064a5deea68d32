#include "indicators/candlesticks/harami.hpp"

// The detector is a handful of comparisons and lives in its header.
