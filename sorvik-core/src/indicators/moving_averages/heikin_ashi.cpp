#include "indicators/moving_averages/heikin_ashi.hpp"

// The Heikin-Ashi rule is small and shared; it lives in the header.
