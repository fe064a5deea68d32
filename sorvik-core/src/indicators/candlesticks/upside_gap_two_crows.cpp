#include "indicators/candlesticks/upside_gap_two_crows.hpp"

// The detector is a handful of comparisons and lives in its header.
