// Registration table of the demark family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/demark/td_camouflage.hpp"
#include "indicators/demark/td_clop.hpp"
#include "indicators/demark/td_clopwin.hpp"
#include "indicators/demark/td_combo.hpp"
#include "indicators/demark/td_countdown.hpp"
#include "indicators/demark/td_d_wave.hpp"
#include "indicators/demark/td_de_marker.hpp"
#include "indicators/demark/td_differential.hpp"
#include "indicators/demark/td_lines.hpp"
#include "indicators/demark/td_moving_average.hpp"
#include "indicators/demark/td_open.hpp"
#include "indicators/demark/td_pressure.hpp"
#include "indicators/demark/td_propulsion.hpp"
#include "indicators/demark/td_range_projection.hpp"
#include "indicators/demark/td_rei.hpp"
#include "indicators/demark/td_risk_level.hpp"
#include "indicators/demark/td_sequential.hpp"
#include "indicators/demark/td_setup.hpp"
#include "indicators/demark/td_trap.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable demark_table() {
  static constexpr RegistryEntry entries[] = {
      entry<TdCamouflage>("TdCamouflage"),
      entry<TdClop>("TdClop"),
      entry<TdClopwin>("TdClopwin"),
      entry<TdCombo>("TdCombo"),
      entry<TdCountdown>("TdCountdown"),
      entry<TdDWave>("TdDWave"),
      entry<TdDeMarker>("TdDeMarker"),
      entry<TdDifferential>("TdDifferential"),
      entry<TdLines>("TdLines"),
      entry<TdMovingAverage>("TdMovingAverage"),
      entry<TdOpen>("TdOpen"),
      entry<TdPressure>("TdPressure"),
      entry<TdPropulsion>("TdPropulsion"),
      entry<TdRangeProjection>("TdRangeProjection"),
      entry<TdRei>("TdRei"),
      entry<TdRiskLevel>("TdRiskLevel"),
      entry<TdSequential>("TdSequential"),
      entry<TdSetup>("TdSetup"),
      entry<TdTrap>("TdTrap"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail
