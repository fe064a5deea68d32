#include "indicators/moving_averages/typical_price.hpp"

// Stateless price transform: everything is in the header.
