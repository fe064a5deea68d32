#include "indicators/chart_patterns/head_and_shoulders.hpp"

// The rule reads a handful of pivots; the type lives in the header.
