#include "indicators/moving_averages/weighted_close.hpp"

// Stateless price transform: everything is in the header.
