#include "indicators/candlesticks/inverted_hammer.hpp"

// The detector is a handful of comparisons and lives in its header.
