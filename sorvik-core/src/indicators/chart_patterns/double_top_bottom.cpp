#include "indicators/chart_patterns/double_top_bottom.hpp"

// The rule reads a handful of pivots; the type lives in the header.
