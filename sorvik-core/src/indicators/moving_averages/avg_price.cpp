#include "indicators/moving_averages/avg_price.hpp"

// Stateless price transform: everything is in the header.
