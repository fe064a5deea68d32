#include "indicators/chart_patterns/cup_and_handle.hpp"

// The rule reads a handful of pivots; the type lives in the header.
