#include "indicators/derivatives_breadth/absolute_breadth_index.hpp"

namespace sorvik {

Expected<AbsoluteBreadthIndex> AbsoluteBreadthIndex::create() {
  return AbsoluteBreadthIndex();
}

}  // namespace sorvik
