#include "indicators/candlesticks/three_stars_in_south.hpp"

// The detector is a handful of comparisons and lives in its header.
