#include "indicators/volume/vwap.hpp"

// A cumulative ratio: everything is in the header.
