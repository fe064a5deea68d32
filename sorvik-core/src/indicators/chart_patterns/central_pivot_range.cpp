#include "indicators/chart_patterns/central_pivot_range.hpp"

// A pivot level set depends on the current bar only; it lives in the header.
