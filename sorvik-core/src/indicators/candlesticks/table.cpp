// Registration table of the candlesticks family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/candlesticks/abandoned_baby.hpp"
#include "indicators/candlesticks/advance_block.hpp"
#include "indicators/candlesticks/belt_hold.hpp"
#include "indicators/candlesticks/body_size_pct.hpp"
#include "indicators/candlesticks/breakaway.hpp"
#include "indicators/candlesticks/close_vs_open.hpp"
#include "indicators/candlesticks/closing_marubozu.hpp"
#include "indicators/candlesticks/concealing_baby_swallow.hpp"
#include "indicators/candlesticks/counterattack.hpp"
#include "indicators/candlesticks/doji.hpp"
#include "indicators/candlesticks/doji_star.hpp"
#include "indicators/candlesticks/downside_gap_three_methods.hpp"
#include "indicators/candlesticks/dragonfly_doji.hpp"
#include "indicators/candlesticks/engulfing.hpp"
#include "indicators/candlesticks/evening_doji_star.hpp"
#include "indicators/candlesticks/falling_three_methods.hpp"
#include "indicators/candlesticks/gap_side_by_side_white.hpp"
#include "indicators/candlesticks/gravestone_doji.hpp"
#include "indicators/candlesticks/hammer.hpp"
#include "indicators/candlesticks/hanging_man.hpp"
#include "indicators/candlesticks/harami.hpp"
#include "indicators/candlesticks/harami_cross.hpp"
#include "indicators/candlesticks/high_wave.hpp"
#include "indicators/candlesticks/hikkake.hpp"
#include "indicators/candlesticks/hikkake_modified.hpp"
#include "indicators/candlesticks/homing_pigeon.hpp"
#include "indicators/candlesticks/identical_three_crows.hpp"
#include "indicators/candlesticks/in_neck.hpp"
#include "indicators/candlesticks/inverted_hammer.hpp"
#include "indicators/candlesticks/kicking.hpp"
#include "indicators/candlesticks/kicking_by_length.hpp"
#include "indicators/candlesticks/ladder_bottom.hpp"
#include "indicators/candlesticks/long_legged_doji.hpp"
#include "indicators/candlesticks/long_line.hpp"
#include "indicators/candlesticks/marubozu.hpp"
#include "indicators/candlesticks/mat_hold.hpp"
#include "indicators/candlesticks/matching_low.hpp"
#include "indicators/candlesticks/morning_doji_star.hpp"
#include "indicators/candlesticks/morning_evening_star.hpp"
#include "indicators/candlesticks/on_neck.hpp"
#include "indicators/candlesticks/opening_marubozu.hpp"
#include "indicators/candlesticks/piercing_dark_cloud.hpp"
#include "indicators/candlesticks/rickshaw_man.hpp"
#include "indicators/candlesticks/rising_three_methods.hpp"
#include "indicators/candlesticks/separating_lines.hpp"
#include "indicators/candlesticks/shooting_star.hpp"
#include "indicators/candlesticks/short_line.hpp"
#include "indicators/candlesticks/spinning_top.hpp"
#include "indicators/candlesticks/stalled_pattern.hpp"
#include "indicators/candlesticks/stick_sandwich.hpp"
#include "indicators/candlesticks/takuri.hpp"
#include "indicators/candlesticks/tasuki_gap.hpp"
#include "indicators/candlesticks/three_inside.hpp"
#include "indicators/candlesticks/three_line_strike.hpp"
#include "indicators/candlesticks/three_outside.hpp"
#include "indicators/candlesticks/three_soldiers_or_crows.hpp"
#include "indicators/candlesticks/three_stars_in_south.hpp"
#include "indicators/candlesticks/thrusting.hpp"
#include "indicators/candlesticks/tristar.hpp"
#include "indicators/candlesticks/tweezer.hpp"
#include "indicators/candlesticks/two_crows.hpp"
#include "indicators/candlesticks/unique_three_river.hpp"
#include "indicators/candlesticks/upside_gap_three_methods.hpp"
#include "indicators/candlesticks/upside_gap_two_crows.hpp"
#include "indicators/candlesticks/wick_ratio.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable candlesticks_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AbandonedBaby>("AbandonedBaby"),
      entry<AdvanceBlock>("AdvanceBlock"),
      entry<BeltHold>("BeltHold"),
      entry<BodySizePct>("BodySizePct"),
      entry<Breakaway>("Breakaway"),
      entry<CloseVsOpen>("CloseVsOpen"),
      entry<ClosingMarubozu>("ClosingMarubozu"),
      entry<ConcealingBabySwallow>("ConcealingBabySwallow"),
      entry<Counterattack>("Counterattack"),
      entry<Doji>("Doji"),
      entry<DojiStar>("DojiStar"),
      entry<DownsideGapThreeMethods>("DownsideGapThreeMethods"),
      entry<DragonflyDoji>("DragonflyDoji"),
      entry<Engulfing>("Engulfing"),
      entry<EveningDojiStar>("EveningDojiStar"),
      entry<FallingThreeMethods>("FallingThreeMethods"),
      entry<GapSideBySideWhite>("GapSideBySideWhite"),
      entry<GravestoneDoji>("GravestoneDoji"),
      entry<Hammer>("Hammer"),
      entry<HangingMan>("HangingMan"),
      entry<Harami>("Harami"),
      entry<HaramiCross>("HaramiCross"),
      entry<HighWave>("HighWave"),
      entry<Hikkake>("Hikkake"),
      entry<HikkakeModified>("HikkakeModified"),
      entry<HomingPigeon>("HomingPigeon"),
      entry<IdenticalThreeCrows>("IdenticalThreeCrows"),
      entry<InNeck>("InNeck"),
      entry<InvertedHammer>("InvertedHammer"),
      entry<Kicking>("Kicking"),
      entry<KickingByLength>("KickingByLength"),
      entry<LadderBottom>("LadderBottom"),
      entry<LongLeggedDoji>("LongLeggedDoji"),
      entry<LongLine>("LongLine"),
      entry<Marubozu>("Marubozu"),
      entry<MatHold>("MatHold"),
      entry<MatchingLow>("MatchingLow"),
      entry<MorningDojiStar>("MorningDojiStar"),
      entry<MorningEveningStar>("MorningEveningStar"),
      entry<OnNeck>("OnNeck"),
      entry<OpeningMarubozu>("OpeningMarubozu"),
      entry<PiercingDarkCloud>("PiercingDarkCloud"),
      entry<RickshawMan>("RickshawMan"),
      entry<RisingThreeMethods>("RisingThreeMethods"),
      entry<SeparatingLines>("SeparatingLines"),
      entry<ShootingStar>("ShootingStar"),
      entry<ShortLine>("ShortLine"),
      entry<SpinningTop>("SpinningTop"),
      entry<StalledPattern>("StalledPattern"),
      entry<StickSandwich>("StickSandwich"),
      entry<Takuri>("Takuri"),
      entry<TasukiGap>("TasukiGap"),
      entry<ThreeInside>("ThreeInside"),
      entry<ThreeLineStrike>("ThreeLineStrike"),
      entry<ThreeOutside>("ThreeOutside"),
      entry<ThreeSoldiersOrCrows>("ThreeSoldiersOrCrows"),
      entry<ThreeStarsInSouth>("ThreeStarsInSouth"),
      entry<Thrusting>("Thrusting"),
      entry<Tristar>("Tristar"),
      entry<Tweezer>("Tweezer"),
      entry<TwoCrows>("TwoCrows"),
      entry<UniqueThreeRiver>("UniqueThreeRiver"),
      entry<UpsideGapThreeMethods>("UpsideGapThreeMethods"),
      entry<UpsideGapTwoCrows>("UpsideGapTwoCrows"),
      entry<WickRatio>("WickRatio"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail
