#include "indicators/candlesticks/two_crows.hpp"

// The detector is a handful of comparisons and lives in its header.
