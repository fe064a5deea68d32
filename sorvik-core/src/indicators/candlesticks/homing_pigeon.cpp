#include "indicators/candlesticks/homing_pigeon.hpp"

// The detector is a handful of comparisons and lives in its header.
