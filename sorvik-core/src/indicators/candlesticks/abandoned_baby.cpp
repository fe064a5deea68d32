#include "indicators/candlesticks/abandoned_baby.hpp"

// The detector is a handful of comparisons and lives in its header.
