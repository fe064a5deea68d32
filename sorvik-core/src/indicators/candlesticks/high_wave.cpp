#include "indicators/candlesticks/high_wave.hpp"

// The detector is a handful of comparisons and lives in its header.
