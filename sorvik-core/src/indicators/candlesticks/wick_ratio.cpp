#include "indicators/candlesticks/wick_ratio.hpp"

// The measure is a few lines and lives in its header.
