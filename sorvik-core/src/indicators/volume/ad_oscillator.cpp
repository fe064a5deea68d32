#include "indicators/volume/ad_oscillator.hpp"

// The Wad total and its average: everything is in the header.
