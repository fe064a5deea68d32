#include "indicators/candlesticks/long_line.hpp"

// The measure is a few lines and lives in its header.
