#include "indicators/chart_patterns/butterfly.hpp"

// The rule reads a handful of pivots; the type lives in the header.
