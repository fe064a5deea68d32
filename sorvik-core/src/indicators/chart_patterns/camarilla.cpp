#include "indicators/chart_patterns/camarilla.hpp"

// A pivot level set depends on the current bar only; it lives in the header.
