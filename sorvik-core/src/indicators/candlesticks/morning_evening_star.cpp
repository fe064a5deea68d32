#include "indicators/candlesticks/morning_evening_star.hpp"

// The detector is a handful of comparisons and lives in its header.
