#include "indicators/volume/market_facilitation_index.hpp"

// Stateless: everything is in the header.
