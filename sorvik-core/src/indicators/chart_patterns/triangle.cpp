#include "indicators/chart_patterns/triangle.hpp"

// The rule reads a handful of pivots; the type lives in the header.
