#include "indicators/candlesticks/closing_marubozu.hpp"

// The detector is a handful of comparisons and lives in its header.
