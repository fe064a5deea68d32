#include "indicators/candlesticks/stick_sandwich.hpp"

// The detector is a handful of comparisons and lives in its header.
