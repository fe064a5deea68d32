#include "indicators/derivatives_breadth/new_highs_new_lows.hpp"

namespace sorvik {

Expected<NewHighsNewLows> NewHighsNewLows::create() {
  return NewHighsNewLows();
}

}  // namespace sorvik
