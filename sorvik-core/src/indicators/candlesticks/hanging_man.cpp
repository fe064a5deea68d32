#include "indicators/candlesticks/hanging_man.hpp"

// The detector is a handful of comparisons and lives in its header.
