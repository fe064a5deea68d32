#include "indicators/candlesticks/body_size_pct.hpp"

// The measure is a few lines and lives in its header.
