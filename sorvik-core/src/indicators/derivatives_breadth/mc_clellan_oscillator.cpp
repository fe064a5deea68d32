#include "indicators/derivatives_breadth/mc_clellan_oscillator.hpp"

namespace sorvik {

Expected<McClellanOscillator> McClellanOscillator::create() { return McClellanOscillator(); }

}  // namespace sorvik
