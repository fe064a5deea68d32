#include "indicators/candlesticks/hikkake_modified.hpp"

// The detector is a handful of comparisons and lives in its header.
