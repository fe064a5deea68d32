#include "indicators/candlesticks/three_inside.hpp"

// The detector is a handful of comparisons and lives in its header.
