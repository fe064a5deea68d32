// Registration table of the chart patterns family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/chart_patterns/abcd.hpp"
#include "indicators/chart_patterns/andrews_pitchfork.hpp"
#include "indicators/chart_patterns/auto_fib.hpp"
#include "indicators/chart_patterns/bat.hpp"
#include "indicators/chart_patterns/butterfly.hpp"
#include "indicators/chart_patterns/camarilla.hpp"
#include "indicators/chart_patterns/central_pivot_range.hpp"
#include "indicators/chart_patterns/classic_pivots.hpp"
#include "indicators/chart_patterns/crab.hpp"
#include "indicators/chart_patterns/cup_and_handle.hpp"
#include "indicators/chart_patterns/cypher.hpp"
#include "indicators/chart_patterns/demark_pivots.hpp"
#include "indicators/chart_patterns/double_top_bottom.hpp"
#include "indicators/chart_patterns/dumpling_top.hpp"
#include "indicators/chart_patterns/fib_arcs.hpp"
#include "indicators/chart_patterns/fib_channel.hpp"
#include "indicators/chart_patterns/fib_confluence.hpp"
#include "indicators/chart_patterns/fib_extension.hpp"
#include "indicators/chart_patterns/fib_fan.hpp"
#include "indicators/chart_patterns/fib_projection.hpp"
#include "indicators/chart_patterns/fib_retracement.hpp"
#include "indicators/chart_patterns/fib_time_zones.hpp"
#include "indicators/chart_patterns/fibonacci_pivots.hpp"
#include "indicators/chart_patterns/flag_pennant.hpp"
#include "indicators/chart_patterns/fry_pan_bottom.hpp"
#include "indicators/chart_patterns/gartley.hpp"
#include "indicators/chart_patterns/golden_pocket.hpp"
#include "indicators/chart_patterns/head_and_shoulders.hpp"
#include "indicators/chart_patterns/murrey_math_lines.hpp"
#include "indicators/chart_patterns/pivot_reversal.hpp"
#include "indicators/chart_patterns/rectangle_range.hpp"
#include "indicators/chart_patterns/shark.hpp"
#include "indicators/chart_patterns/three_drives.hpp"
#include "indicators/chart_patterns/tower_top_bottom.hpp"
#include "indicators/chart_patterns/triangle.hpp"
#include "indicators/chart_patterns/triple_top_bottom.hpp"
#include "indicators/chart_patterns/wedge.hpp"
#include "indicators/chart_patterns/woodie_pivots.hpp"
#include "indicators/chart_patterns/zig_zag.hpp"

namespace sorvik::detail {

FamilyTable chart_patterns_table() {
  static constexpr RegistryEntry entries[] = {
      entry<Abcd>("Abcd"),
      entry<AndrewsPitchfork>("AndrewsPitchfork"),
      entry<AutoFib>("AutoFib"),
      entry<Bat>("Bat"),
      entry<Butterfly>("Butterfly"),
      entry<Camarilla>("Camarilla"),
      entry<CentralPivotRange>("CentralPivotRange"),
      entry<ClassicPivots>("ClassicPivots"),
      entry<Crab>("Crab"),
      entry<CupAndHandle>("CupAndHandle"),
      entry<Cypher>("Cypher"),
      entry<DemarkPivots>("DemarkPivots"),
      entry<DoubleTopBottom>("DoubleTopBottom"),
      entry<DumplingTop>("DumplingTop").with_example({14}),
      entry<FibArcs>("FibArcs"),
      entry<FibChannel>("FibChannel"),
      entry<FibConfluence>("FibConfluence"),
      entry<FibExtension>("FibExtension"),
      entry<FibFan>("FibFan"),
      entry<FibProjection>("FibProjection"),
      entry<FibRetracement>("FibRetracement"),
      entry<FibTimeZones>("FibTimeZones"),
      entry<FibonacciPivots>("FibonacciPivots"),
      entry<FlagPennant>("FlagPennant"),
      entry<FryPanBottom>("FryPanBottom").with_example({14}),
      entry<Gartley>("Gartley"),
      entry<GoldenPocket>("GoldenPocket"),
      entry<HeadAndShoulders>("HeadAndShoulders"),
      entry<MurreyMathLines>("MurreyMathLines"),
      entry<PivotReversal>("PivotReversal"),
      entry<RectangleRange>("RectangleRange"),
      entry<Shark>("Shark"),
      entry<ThreeDrives>("ThreeDrives"),
      entry<TowerTopBottom>("TowerTopBottom"),
      entry<Triangle>("Triangle"),
      entry<TripleTopBottom>("TripleTopBottom"),
      entry<Wedge>("Wedge"),
      entry<WoodiePivots>("WoodiePivots"),
      entry<ZigZag>("ZigZag"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail
