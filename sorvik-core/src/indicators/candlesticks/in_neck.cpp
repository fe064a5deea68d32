#include "indicators/candlesticks/in_neck.hpp"

// The detector is a handful of comparisons and lives in its header.
