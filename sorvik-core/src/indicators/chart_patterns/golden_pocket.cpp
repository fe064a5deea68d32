#include "indicators/chart_patterns/golden_pocket.hpp"

// The levels are a few products of the pivots held; the type lives in the header.
