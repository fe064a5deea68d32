#include "indicators/chart_patterns/bat.hpp"

// The rule reads a handful of pivots; the type lives in the header.
