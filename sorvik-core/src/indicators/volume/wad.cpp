#include "indicators/volume/wad.hpp"

// A cumulative line: everything is in the header.
