#include "indicators/momentum/kst.hpp"

namespace sorvik {

Expected<Kst> Kst::create(std::uint64_t r1, std::uint64_t r2, std::uint64_t r3, std::uint64_t r4,
                          std::uint64_t s1, std::uint64_t s2, std::uint64_t s3, std::uint64_t s4,
                          std::uint64_t signal) {
  for (const std::uint64_t n : {r1, r2, r3, r4, s1, s2, s3, s4, signal}) {
    if (auto err = check_period(n)) return fail(*err);
  }
  return Kst(r1, r2, r3, r4, s1, s2, s3, s4, signal);
}

}  // namespace sorvik
