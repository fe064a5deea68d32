#include "indicators/chart_patterns/cypher.hpp"

// The rule reads a handful of pivots; the type lives in the header.
