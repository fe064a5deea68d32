#include "indicators/chart_patterns/wedge.hpp"

// The rule reads a handful of pivots; the type lives in the header.
