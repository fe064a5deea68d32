#include "indicators/bands/true_range.hpp"

// The true range is a few lines shared by the ATR family; it lives in the header.
