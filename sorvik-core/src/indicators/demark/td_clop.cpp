#include "indicators/demark/td_clop.hpp"

// The rule compares the current candle with the stored previous one(s); it lives in the header.
