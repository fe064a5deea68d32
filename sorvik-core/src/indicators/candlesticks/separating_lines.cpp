#include "indicators/candlesticks/separating_lines.hpp"

// The detector is a handful of comparisons and lives in its header.
