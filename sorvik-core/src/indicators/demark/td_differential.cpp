#include "indicators/demark/td_differential.hpp"

// The rule compares the current candle with the stored previous one(s); it lives in the header.
