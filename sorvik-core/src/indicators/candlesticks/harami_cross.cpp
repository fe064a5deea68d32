#include "indicators/candlesticks/harami_cross.hpp"

// The detector is a handful of comparisons and lives in its header.
