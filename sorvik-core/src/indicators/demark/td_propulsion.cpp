#include "indicators/demark/td_propulsion.hpp"

// The rule compares the current candle with the stored previous one(s); it lives in the header.
