#include "indicators/candlesticks/upside_gap_three_methods.hpp"

// The detector is a handful of comparisons and lives in its header.
