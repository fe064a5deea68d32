// Registration table of the chart patterns family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable chart_patterns_table() {
  static constexpr std::string_view pending[] = {
      "Abcd",
      "AndrewsPitchfork",
      "AutoFib",
      "Bat",
      "Butterfly",
      "Camarilla",
      "CentralPivotRange",
      "ClassicPivots",
      "Crab",
      "CupAndHandle",
      "Cypher",
      "DemarkPivots",
      "DoubleTopBottom",
      "DumplingTop",
      "FibArcs",
      "FibChannel",
      "FibConfluence",
      "FibExtension",
      "FibFan",
      "FibProjection",
      "FibRetracement",
      "FibTimeZones",
      "FibonacciPivots",
      "FlagPennant",
      "FryPanBottom",
      "Gartley",
      "GoldenPocket",
      "HeadAndShoulders",
      "MurreyMathLines",
      "PivotReversal",
      "RectangleRange",
      "Shark",
      "ThreeDrives",
      "TowerTopBottom",
      "Triangle",
      "TripleTopBottom",
      "Wedge",
      "WoodiePivots",
      "ZigZag",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail
