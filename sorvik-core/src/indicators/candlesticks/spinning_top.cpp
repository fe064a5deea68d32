#include "indicators/candlesticks/spinning_top.hpp"

// The detector is a handful of comparisons and lives in its header.
