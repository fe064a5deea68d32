#include "indicators/volume/intraday_intensity.hpp"

// Stateless: everything is in the header.
