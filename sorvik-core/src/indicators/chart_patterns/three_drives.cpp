#include "indicators/chart_patterns/three_drives.hpp"

// The rule reads a handful of pivots; the type lives in the header.
