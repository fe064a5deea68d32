#include "indicators/demark/td_range_projection.hpp"

// The projection depends on the current candle only; it lives in the header.
