#include "indicators/candlesticks/advance_block.hpp"

// The detector is a handful of comparisons and lives in its header.
