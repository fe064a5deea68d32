// HilbertDominantCycle has no parameters and no checks; its state lives in the shared Hilbert core.
#include "indicators/cycles/hilbert_dominant_cycle.hpp"
