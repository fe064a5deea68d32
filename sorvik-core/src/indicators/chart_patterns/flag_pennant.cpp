#include "indicators/chart_patterns/flag_pennant.hpp"

// The rule reads a handful of pivots; the type lives in the header.
