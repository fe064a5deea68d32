#include "indicators/demark/td_countdown.hpp"

namespace sorvik {

Expected<TdCountdown> TdCountdown::create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                          std::uint64_t countdown_lookback, std::uint64_t countdown_length) {
  if (auto err = td::check_count_lengths(setup_lookback, setup_length, countdown_lookback, countdown_length)) {
    return fail(*err);
  }
  return TdCountdown(setup_lookback, setup_length, countdown_lookback, countdown_length);
}

}  // namespace sorvik
