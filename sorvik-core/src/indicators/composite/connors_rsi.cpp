#include "indicators/composite/connors_rsi.hpp"

namespace sorvik {

Expected<ConnorsRsi> ConnorsRsi::create(std::uint64_t rsi_period, std::uint64_t streak_period,
                                        std::uint64_t rank_period) {
  if (auto err = check_period(rsi_period)) return fail(*err);
  if (auto err = check_period(streak_period)) return fail(*err);
  if (auto err = check_period(rank_period)) return fail(*err);
  return ConnorsRsi(rsi_period, streak_period, rank_period);
}

}  // namespace sorvik
