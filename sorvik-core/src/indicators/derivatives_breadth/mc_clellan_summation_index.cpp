#include "indicators/derivatives_breadth/mc_clellan_summation_index.hpp"

namespace sorvik {

Expected<McClellanSummationIndex> McClellanSummationIndex::create() { return McClellanSummationIndex(); }

}  // namespace sorvik
