#include "indicators/volume/pvi.hpp"

// A cumulative line: everything is in the header.
