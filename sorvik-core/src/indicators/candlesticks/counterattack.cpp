#include "indicators/candlesticks/counterattack.hpp"

// The detector is a handful of comparisons and lives in its header.
