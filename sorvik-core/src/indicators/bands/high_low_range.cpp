#include "indicators/bands/high_low_range.hpp"

// Stateless range: everything is in the header.
