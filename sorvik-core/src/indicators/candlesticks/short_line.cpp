#include "indicators/candlesticks/short_line.hpp"

// The measure is a few lines and lives in its header.
