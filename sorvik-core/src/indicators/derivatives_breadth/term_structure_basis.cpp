#include "indicators/derivatives_breadth/term_structure_basis.hpp"

namespace sorvik {

Expected<TermStructureBasis> TermStructureBasis::create() {
  return TermStructureBasis();
}

}  // namespace sorvik
