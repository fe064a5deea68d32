#include "indicators/candlesticks/three_soldiers_or_crows.hpp"

// The detector is a handful of comparisons and lives in its header.
