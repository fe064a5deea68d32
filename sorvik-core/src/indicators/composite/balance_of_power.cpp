// Stateless candle transform: everything is in the header.
#include "indicators/composite/balance_of_power.hpp"
