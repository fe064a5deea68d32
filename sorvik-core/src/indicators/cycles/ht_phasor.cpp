// HtPhasor has no parameters and no checks; its state lives in the shared Hilbert core.
#include "indicators/cycles/ht_phasor.hpp"
