#include "indicators/candlesticks/close_vs_open.hpp"

// The measure is a few lines and lives in its header.
