#include "indicators/candlesticks/piercing_dark_cloud.hpp"

// The detector is a handful of comparisons and lives in its header.
