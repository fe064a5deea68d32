// Registration table of the moving averages family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/moving_averages/alligator.hpp"
#include "indicators/moving_averages/alma.hpp"
#include "indicators/moving_averages/avg_price.hpp"
#include "indicators/moving_averages/dema.hpp"
#include "indicators/moving_averages/ehma.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "indicators/moving_averages/evwma.hpp"
#include "indicators/moving_averages/fama.hpp"
#include "indicators/moving_averages/frama.hpp"
#include "indicators/moving_averages/gator_oscillator.hpp"
#include "indicators/moving_averages/generalized_dema.hpp"
#include "indicators/moving_averages/geometric_ma.hpp"
#include "indicators/moving_averages/heikin_ashi.hpp"
#include "indicators/moving_averages/heikin_ashi_oscillator.hpp"
#include "indicators/moving_averages/hma.hpp"
#include "indicators/moving_averages/holt_winters.hpp"
#include "indicators/moving_averages/jma.hpp"
#include "indicators/moving_averages/kama.hpp"
#include "indicators/moving_averages/mama.hpp"
#include "indicators/moving_averages/mc_ginley_dynamic.hpp"
#include "indicators/moving_averages/median_ma.hpp"
#include "indicators/moving_averages/median_price.hpp"
#include "indicators/moving_averages/mid_point.hpp"
#include "indicators/moving_averages/mid_price.hpp"
#include "indicators/moving_averages/sine_weighted_ma.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "indicators/moving_averages/smma.hpp"
#include "indicators/moving_averages/smoothed_heikin_ashi.hpp"
#include "indicators/moving_averages/t3.hpp"
#include "indicators/moving_averages/tema.hpp"
#include "indicators/moving_averages/trima.hpp"
#include "indicators/moving_averages/typical_price.hpp"
#include "indicators/moving_averages/vidya.hpp"
#include "indicators/moving_averages/vwma.hpp"
#include "indicators/moving_averages/weighted_close.hpp"
#include "indicators/moving_averages/wma.hpp"
#include "indicators/moving_averages/zlema.hpp"

namespace sorvik::detail {

FamilyTable moving_averages_table() {
  static constexpr RegistryEntry entries[] = {
      entry<Alligator>("Alligator"),
      entry<Alma>("Alma").with_example({9, 0.85, 6}),
      entry<AvgPrice>("AvgPrice"),
      entry<Dema>("Dema"),
      entry<Ehma>("Ehma"),
      entry<Ema>("Ema"),
      entry<Evwma>("Evwma"),
      entry<Fama>("Fama").with_example({0.5, 0.05}),
      entry<Frama>("Frama").with_example({16}),
      entry<GatorOscillator>("GatorOscillator"),
      entry<GeneralizedDema>("GeneralizedDema").with_example({5, 0.7}),
      entry<GeometricMa>("GeometricMa"),
      entry<HeikinAshi>("HeikinAshi"),
      entry<HeikinAshiOscillator>("HeikinAshiOscillator"),
      entry<Hma>("Hma"),
      entry<HoltWinters>("HoltWinters").with_example({0.5, 0.3}),
      entry<Jma>("Jma").with_example({7, 0, 2}),
      entry<Kama>("Kama").with_example({10, 2, 30}),
      entry<Mama>("Mama").with_example({0.5, 0.05}),
      entry<McGinleyDynamic>("McGinleyDynamic"),
      entry<MedianMa>("MedianMa"),
      entry<MedianPrice>("MedianPrice"),
      entry<MidPoint>("MidPoint"),
      entry<MidPrice>("MidPrice"),
      entry<SineWeightedMa>("SineWeightedMa"),
      entry<Sma>("Sma"),
      entry<Smma>("Smma"),
      entry<SmoothedHeikinAshi>("SmoothedHeikinAshi"),
      entry<T3>("T3").with_example({5, 0.7}),
      entry<Tema>("Tema"),
      entry<Trima>("Trima"),
      entry<TypicalPrice>("TypicalPrice"),
      entry<Vidya>("Vidya"),
      entry<Vwma>("Vwma"),
      entry<WeightedClose>("WeightedClose"),
      entry<Wma>("Wma"),
      entry<Zlema>("Zlema"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail
