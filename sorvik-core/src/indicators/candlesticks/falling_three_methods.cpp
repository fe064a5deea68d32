#include "indicators/candlesticks/falling_three_methods.hpp"

// The detector is a handful of comparisons and lives in its header.
