#include "indicators/volume/volume_price_trend.hpp"

// A cumulative line: everything is in the header.
