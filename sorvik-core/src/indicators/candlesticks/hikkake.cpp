#include "indicators/candlesticks/hikkake.hpp"

// The detector is a handful of comparisons and lives in its header.
