#include "indicators/demark/td_open.hpp"

// The rule compares the current candle with the stored previous one(s); it lives in the header.
