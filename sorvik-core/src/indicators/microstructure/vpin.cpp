#include "indicators/microstructure/vpin.hpp"

namespace sorvik {

Expected<Vpin> Vpin::create(double bucket_volume, std::uint64_t buckets) {
  if (!std::isfinite(bucket_volume) || !(bucket_volume > 0.0)) {
    return fail(IndicatorError::invalid_parameter("VPIN bucket_volume must be finite and positive"));
  }
  if (auto err = check_period(buckets)) return fail(*err);
  return Vpin(bucket_volume, buckets);
}

void Vpin::pour(const Trade& t) {
  const bool buy = t.side == Side::Buy;
  double remaining = t.size;
  std::uint64_t completed = 0;
  while (remaining > 0.0) {
    const double need = v_ - filled_;
    if (remaining < need) {
      // The trade ends inside this bucket (which rounding may still bring to V).
      add(buy, remaining);
      filled_ = filled_ + remaining;
      if (filled_ >= v_) close_bucket();
      return;
    }
    add(buy, need);
    close_bucket();
    remaining = remaining - need;
    if (++completed == cap_ && remaining >= v_) {
      // Every bucket in the window is now a full one-sided bucket (imbalance V); further whole
      // buckets only rotate that value, so only their count modulo n matters.
      const double rest = std::fmod(remaining, v_);
      const double whole = (remaining - rest) / v_;
      const auto pushes = static_cast<std::uint64_t>(std::fmod(whole, static_cast<double>(buckets_)));
      for (std::uint64_t i = 0; i < pushes; ++i) sum_.push(v_);
      remaining = rest;
    }
  }
}

}  // namespace sorvik
