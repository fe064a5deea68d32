#include "indicators/derivatives_breadth/trin.hpp"

namespace sorvik {

Expected<Trin> Trin::create() {
  return Trin();
}

}  // namespace sorvik
