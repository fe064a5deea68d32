#include "indicators/chart_patterns/fib_arcs.hpp"

// The levels are a few products of the pivots held; the type lives in the header.
