// Registration table of the statistics family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/hurst_exponent.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_channel.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/log_return.hpp"
#include "indicators/statistics/median_absolute_deviation.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/regime_label.hpp"
#include "indicators/statistics/rolling_iqr.hpp"
#include "indicators/statistics/rolling_min_max_scaler.hpp"
#include "indicators/statistics/rolling_percentile_rank.hpp"
#include "indicators/statistics/rolling_quantile.hpp"
#include "indicators/statistics/sample_entropy.hpp"
#include "indicators/statistics/seasonal_z_score.hpp"
#include "indicators/statistics/shannon_entropy.hpp"
#include "indicators/statistics/skewness.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/statistics/standard_error_bands.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/statistics/trend_label.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/statistics/tsf_oscillator.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/statistics/z_score.hpp"

namespace sorvik::detail {

FamilyTable statistics_table() {
  static constexpr RegistryEntry entries[] = {
      entry<Autocorrelation>("Autocorrelation").with_example({20, 1}),
      entry<CoefficientOfVariation>("CoefficientOfVariation"),
      entry<DetrendedStdDev>("DetrendedStdDev"),
      entry<HurstExponent>("HurstExponent").with_example({100, 4}),
      entry<JarqueBera>("JarqueBera").with_example({20}),
      entry<Kurtosis>("Kurtosis").with_example({20}),
      entry<LinRegAngle>("LinRegAngle"),
      entry<LinRegChannel>("LinRegChannel"),
      entry<LinRegIntercept>("LinRegIntercept"),
      entry<LinRegSlope>("LinRegSlope"),
      entry<LinearRegression>("LinearRegression"),
      entry<LogReturn>("LogReturn"),
      entry<MedianAbsoluteDeviation>("MedianAbsoluteDeviation"),
      entry<RSquared>("RSquared"),
      entry<RegimeLabel>("RegimeLabel"),
      entry<RollingIqr>("RollingIqr"),
      entry<RollingMinMaxScaler>("RollingMinMaxScaler"),
      entry<RollingPercentileRank>("RollingPercentileRank"),
      entry<RollingQuantile>("RollingQuantile"),
      entry<SampleEntropy>("SampleEntropy").with_example({50, 2, 0.2}),
      entry<SeasonalZScore>("SeasonalZScore"),
      entry<ShannonEntropy>("ShannonEntropy"),
      entry<Skewness>("Skewness"),
      entry<StandardError>("StandardError"),
      entry<StandardErrorBands>("StandardErrorBands"),
      entry<StdDev>("StdDev"),
      entry<TrendLabel>("TrendLabel"),
      entry<Tsf>("Tsf"),
      entry<TsfOscillator>("TsfOscillator"),
      entry<Variance>("Variance"),
      entry<ZScore>("ZScore"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail
