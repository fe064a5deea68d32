#include "indicators/candlesticks/identical_three_crows.hpp"

// The detector is a handful of comparisons and lives in its header.
