#include "indicators/chart_patterns/crab.hpp"

// The rule reads a handful of pivots; the type lives in the header.
