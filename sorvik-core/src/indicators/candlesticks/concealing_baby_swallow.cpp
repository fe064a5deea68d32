#include "indicators/candlesticks/concealing_baby_swallow.hpp"

// The detector is a handful of comparisons and lives in its header.
