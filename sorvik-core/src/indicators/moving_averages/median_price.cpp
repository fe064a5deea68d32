#include "indicators/moving_averages/median_price.hpp"

// Stateless price transform: everything is in the header.
