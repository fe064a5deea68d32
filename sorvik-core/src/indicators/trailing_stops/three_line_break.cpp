#include "indicators/trailing_stops/three_line_break.hpp"

namespace sorvik {

Expected<ThreeLineBreak> ThreeLineBreak::create(std::uint64_t lines) {
  if (auto err = check_period(lines)) return fail(*err);
  return ThreeLineBreak(lines);
}

}  // namespace sorvik
