#include "indicators/chart_patterns/tower_top_bottom.hpp"

// Three candles and a few ratios; the type lives in the header.
