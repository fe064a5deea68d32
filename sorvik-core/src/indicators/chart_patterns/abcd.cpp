#include "indicators/chart_patterns/abcd.hpp"

// The rule reads a handful of pivots; the type lives in the header.
