#include "indicators/chart_patterns/auto_fib.hpp"

// The levels are a few products of the pivots held; the type lives in the header.
