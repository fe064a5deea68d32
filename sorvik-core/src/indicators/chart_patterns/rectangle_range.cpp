#include "indicators/chart_patterns/rectangle_range.hpp"

// The rule reads a handful of pivots; the type lives in the header.
