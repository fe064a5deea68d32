#include "indicators/volume/obv.hpp"

// A cumulative line: everything is in the header.
