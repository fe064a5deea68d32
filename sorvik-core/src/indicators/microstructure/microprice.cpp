#include "indicators/microstructure/microprice.hpp"

namespace sorvik {

Expected<Microprice> Microprice::create() { return Microprice{}; }

}  // namespace sorvik
