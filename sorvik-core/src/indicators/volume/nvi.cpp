#include "indicators/volume/nvi.hpp"

// A cumulative line: everything is in the header.
