// Registration table of the directional family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/directional/adx.hpp"
#include "indicators/directional/adxr.hpp"
#include "indicators/directional/aroon.hpp"
#include "indicators/directional/aroon_oscillator.hpp"
#include "indicators/directional/choppiness_index.hpp"
#include "indicators/directional/dx.hpp"
#include "indicators/directional/minus_di.hpp"
#include "indicators/directional/minus_dm.hpp"
#include "indicators/directional/plus_di.hpp"
#include "indicators/directional/plus_dm.hpp"
#include "indicators/directional/polarized_fractal_efficiency.hpp"
#include "indicators/directional/rwi.hpp"
#include "indicators/directional/ttm_trend.hpp"
#include "indicators/directional/vertical_horizontal_filter.hpp"
#include "indicators/directional/vortex.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable directional_table() {
  static constexpr RegistryEntry entries[] = {
      entry<Adx>("Adx"),
      entry<Adxr>("Adxr"),
      entry<Aroon>("Aroon"),
      entry<AroonOscillator>("AroonOscillator"),
      entry<ChoppinessIndex>("ChoppinessIndex"),
      entry<Dx>("Dx"),
      entry<MinusDi>("MinusDi"),
      entry<MinusDm>("MinusDm"),
      entry<PlusDi>("PlusDi"),
      entry<PlusDm>("PlusDm"),
      entry<PolarizedFractalEfficiency>("PolarizedFractalEfficiency"),
      entry<Rwi>("Rwi"),
      entry<TtmTrend>("TtmTrend"),
      entry<VerticalHorizontalFilter>("VerticalHorizontalFilter"),
      entry<Vortex>("Vortex"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail
