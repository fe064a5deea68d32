#include "indicators/volume/adl.hpp"

// A cumulative line: everything is in the header.
