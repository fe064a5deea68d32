#include "indicators/derivatives_breadth/tick_index.hpp"

namespace sorvik {

Expected<TickIndex> TickIndex::create() {
  return TickIndex();
}

}  // namespace sorvik
