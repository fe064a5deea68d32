#pragma once

// Shared pieces of the profile and session family: the local calendar of a candle's time (day
// number, hour, proleptic Gregorian date), the session clock, the parameter checks, and the price
// profile over a set of candles with its point of control and value area.
//
// The profile is kept piecewise constant: the bins of a profile are split at the first and one past
// the last bin of every candle, and all bins between two split points receive exactly the same
// additions in the same order, so they hold bit-identical values. Storing one value per run of equal
// bins gives the same results as one accumulator per bin while the storage grows only with the
// candles the profile is built from (at most two runs per candle), never with the bin count. When
// there are no more bins than the runs the candles could cut, every bin is its own run.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::profiles {

// ---------------------------------------------------------------------------------------------------
// Parameter checks

/// Period and bin count: each tested for zero first, then each against MAX_PERIOD.
[[nodiscard]] constexpr std::optional<IndicatorError> check_period_and_bins(std::uint64_t period,
                                                                            std::uint64_t bins) noexcept {
  if (period == 0 || bins == 0) return IndicatorError::zero_period();
  if (auto err = check_max_period(period)) return err;
  return check_max_period(bins);
}

/// The value-area fraction r must satisfy 0 < r <= 1.
[[nodiscard]] constexpr std::optional<IndicatorError> check_value_area_pct(double r) noexcept {
  if (!(r > 0.0 && r <= 1.0)) return IndicatorError::invalid_parameter("value_area_pct must be in (0, 1]");
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------------------
// Local calendar

/// a / b rounded toward minus infinity (b > 0).
[[nodiscard]] constexpr std::int64_t floor_div(std::int64_t a, std::int64_t b) noexcept {
  std::int64_t q = a / b;
  if (a % b != 0 && ((a < 0) != (b < 0))) --q;
  return q;
}

/// A proleptic Gregorian date.
struct CivilDate {
  std::int64_t year = 1970;
  unsigned month = 1;  // 1..12
  unsigned day = 1;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

[[nodiscard]] constexpr bool is_leap_year(std::int64_t y) noexcept {
  return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

/// 31, 28 or 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31.
[[nodiscard]] constexpr unsigned month_length(std::int64_t year, unsigned month) noexcept {
  constexpr unsigned lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && is_leap_year(year)) return 29;
  return lengths[month - 1];
}

/// The date of day number z counted from 1970-01-01 (day 0); negative numbers count backwards.
[[nodiscard]] constexpr CivilDate civil_from_days(std::int64_t z) noexcept {
  // Days are counted from 0000-03-01 so that the leap day ends each 400-year era.
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;                                    // [0, 146096]
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);             // [0, 365]
  const std::int64_t mp = (5 * doy + 2) / 153;                                  // [0, 11], March first
  const auto day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
  const auto month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

/// Where a candle falls in local time.
struct LocalTime {
  std::int64_t day = 0;  // local day number, 0 = 1970-01-01
  int hour = 0;          // 0..23
};

/// A candle's time (milliseconds since the epoch) read in local time: local seconds
/// s = floor(time / 1000) + offset * 60, day d = floor(s / 86400), hour floor((s - 86400 d) / 3600),
/// every division rounding toward minus infinity.
class LocalCalendar {
 public:
  explicit constexpr LocalCalendar(std::int32_t utc_offset_minutes) noexcept
      : offset_seconds_(std::int64_t{utc_offset_minutes} * 60) {}

  [[nodiscard]] constexpr LocalTime at(std::int64_t time_ms) const noexcept {
    const std::int64_t s = floor_div(time_ms, 1000) + offset_seconds_;
    const std::int64_t d = floor_div(s, 86400);
    return {d, static_cast<int>((s - 86400 * d) / 3600)};
  }

 private:
  std::int64_t offset_seconds_;
};

/// Follows the local date of successive candles: a session is the run of candles of one date.
class SessionClock {
 public:
  explicit constexpr SessionClock(std::int32_t utc_offset_minutes) noexcept : calendar_(utc_offset_minutes) {}

  /// Moves to the candle's date; true when the candle opens a new session (the first candle of the
  /// run included).
  constexpr bool advance(std::int64_t time_ms) noexcept {
    now_ = calendar_.at(time_ms);
    const bool fresh = !started_ || now_.day != day_;
    previous_day_ = day_;
    had_previous_ = started_;
    day_ = now_.day;
    started_ = true;
    return fresh;
  }
  /// The local time of the last candle.
  [[nodiscard]] constexpr const LocalTime& now() const noexcept { return now_; }
  /// The day number of the candle before the last one (meaningful when `has_previous()`).
  [[nodiscard]] constexpr std::int64_t previous_day() const noexcept { return previous_day_; }
  [[nodiscard]] constexpr bool has_previous() const noexcept { return had_previous_; }

 private:
  LocalCalendar calendar_;
  LocalTime now_{};
  std::int64_t day_ = 0;
  std::int64_t previous_day_ = 0;
  bool started_ = false;
  bool had_previous_ = false;
};

// ---------------------------------------------------------------------------------------------------
// Profiles

/// What a profile reads from a candle.
struct ProfileBar {
  double high = 0.0;
  double low = 0.0;
  double volume = 0.0;
};

[[nodiscard]] inline ProfileBar profile_bar(const Candle& c) noexcept { return {c.high, c.low, c.volume}; }

/// A profile of `bins` bins from `low` (G) to `high` (T), bin width (T - G) / bins. Run j covers the
/// bins [starts[j], starts[j + 1]) (the last run ends at `bins`); every bin of a run holds values[j].
template <class V>
struct BasicProfile {
  double low = 0.0;
  double high = 0.0;
  double width = 0.0;
  std::uint64_t bins = 0;
  std::span<const std::uint64_t> starts;
  std::span<const V> values;

  [[nodiscard]] bool flat() const noexcept { return high - low <= 0.0; }
  [[nodiscard]] std::size_t runs() const noexcept { return starts.size(); }
  [[nodiscard]] std::uint64_t run_end(std::size_t j) const noexcept {
    return j + 1 < starts.size() ? starts[j + 1] : bins;
  }
  /// The run holding bin i.
  [[nodiscard]] std::size_t run_of(std::uint64_t i) const noexcept {
    return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), i) - starts.begin()) - 1;
  }
  /// The value of bin i.
  [[nodiscard]] V at(std::uint64_t i) const noexcept { return values[run_of(i)]; }

  /// The index of the largest bin; the lowest index wins a tie.
  [[nodiscard]] std::uint64_t poc_index() const noexcept {
    std::size_t best = 0;
    for (std::size_t j = 1; j < values.size(); ++j) {
      if (values[j] > values[best]) best = j;
    }
    return starts[best];
  }
  /// The price (position) * w + G of a position in bin units, e.g. k + 0.5 for the centre of bin k.
  [[nodiscard]] double price_at(double position) const noexcept { return position * width + low; }
  /// The centre (k + 0.5) * w + G of bin k.
  [[nodiscard]] double centre(std::uint64_t k) const noexcept {
    return price_at(static_cast<double>(k) + 0.5);
  }
};

using VolumeBins = BasicProfile<double>;
using TimeBins = BasicProfile<std::uint64_t>;

/// Builds profiles into scratch storage that is reused from one build to the next (it grows with the
/// number of candles built from, never with the bin count).
template <class V>
class ProfileBuilder {
 public:
  /// The profile of the `count` bars that `visit(f)` presents oldest first, over [G, T] = [low, high]
  /// in `bins` bins. A volume profile spreads each bar's volume (bars with zero volume add nothing);
  /// a time profile adds 1 per bar. When T - G <= 0 bin 0 receives the whole amount of the bars.
  template <class Visit>
  BasicProfile<V> build(std::uint64_t bins, double low, double high, std::size_t count, Visit&& visit) {
    BasicProfile<V> p;
    p.low = low;
    p.high = high;
    p.bins = bins;
    p.width = (high - low) / static_cast<double>(bins);
    starts_.clear();
    values_.clear();
    if (p.flat()) {
      V sum{};
      visit([&](const ProfileBar& b) { sum = weight(b) + sum; });
      starts_.push_back(0);
      values_.push_back(sum);
      if (bins > 1) {
        starts_.push_back(1);
        values_.push_back(V{});
      }
      return finish(p);
    }
    if (bins <= 2 * static_cast<std::uint64_t>(count) + 1) {
      // No more bins than the runs the bars could cut: one run per bin.
      const auto n = static_cast<std::size_t>(bins);
      starts_.resize(n);
      for (std::size_t i = 0; i < n; ++i) starts_[i] = i;
      values_.assign(n, V{});
      visit([&](const ProfileBar& b) {
        if (skipped(b)) return;
        const std::uint64_t first = index(p, b.low);
        const std::uint64_t last = b.high <= b.low ? first : index(p, b.high);
        const V share = share_of({first, last, weight(b)});
        for (std::uint64_t i = first; i <= last; ++i) values_[i] = values_[i] + share;
      });
      return finish(p);
    }
    // Every bar's bin span; the run boundaries are 0 and each span's first and one-past-last bin.
    spans_.clear();
    starts_.push_back(0);
    visit([&](const ProfileBar& b) {
      if (skipped(b)) return;
      const std::uint64_t first = index(p, b.low);
      const std::uint64_t last = b.high <= b.low ? first : index(p, b.high);
      spans_.push_back({first, last, weight(b)});
      starts_.push_back(first);
      if (last + 1 < bins) starts_.push_back(last + 1);
    });
    std::sort(starts_.begin(), starts_.end());
    starts_.erase(std::unique(starts_.begin(), starts_.end()), starts_.end());
    values_.assign(starts_.size(), V{});
    // Oldest bar first: each run of the span receives the bar's share, as each of its bins would.
    for (const Span& s : spans_) {
      const V share = share_of(s);
      auto j = static_cast<std::size_t>(std::lower_bound(starts_.begin(), starts_.end(), s.first) - starts_.begin());
      for (; j < starts_.size() && starts_[j] <= s.last; ++j) values_[j] = values_[j] + share;
    }
    return finish(p);
  }

  /// The bin of price x: floor((x - G) / w), clamped to [0, bins - 1] (a NaN quotient, from a width
  /// that underflowed to zero, counts as bin 0).
  [[nodiscard]] static std::uint64_t index(const BasicProfile<V>& p, double x) noexcept {
    const double q = std::floor((x - p.low) / p.width);
    if (!(q > 0.0)) return 0;
    if (q >= static_cast<double>(p.bins - 1)) return p.bins - 1;
    return static_cast<std::uint64_t>(q);
  }

 private:
  struct Span {
    std::uint64_t first;
    std::uint64_t last;
    V amount;
  };
  static constexpr bool volume = std::is_same_v<V, double>;

  static V weight(const ProfileBar& b) noexcept {
    if constexpr (volume) {
      return b.volume;
    } else {
      return 1;
    }
  }
  static bool skipped(const ProfileBar& b) noexcept {
    if constexpr (volume) {
      return b.volume == 0.0;
    } else {
      return false;
    }
  }
  static V share_of(const Span& s) noexcept {
    if constexpr (volume) {
      return s.amount / static_cast<double>(s.last - s.first + 1);
    } else {
      return s.amount;
    }
  }
  BasicProfile<V> finish(BasicProfile<V> p) const noexcept {
    p.starts = starts_;
    p.values = values_;
    return p;
  }

  std::vector<Span> spans_;
  std::vector<std::uint64_t> starts_;
  std::vector<V> values_;
};

/// The outcome of adding one value to a running sum again and again.
struct RepeatedSum {
  double sum = 0.0;
  std::uint64_t additions = 0;  // additions made, or all `count` once they stopped changing the sum
};

namespace detail {

/// `sum` + v added up to `count` times, one addition at a time, each rounded on its own, and (when
/// `Bounded`) stopping before any addition once `!(target > sum)`. The result is the literal loop's,
/// reached without walking it:
/// - once an addition leaves the sum unchanged bit for bit, so does every later one (the same
///   operands), and the rest are skipped (`additions` is then `count`);
/// - while a positive sum stays below the next power of two B, every double it can take is a
///   multiple of the same unit u (the unit in the last place of the sum's binade; below the
///   smallest normal, of everything under 2^-1021), so an addition whose exact result is at most
///   B - u gives sum + RN(v / u) u, rounded to nearest even. With S = sum / u and F = v / u that
///   adds round(F) unless F is an odd multiple of one half, where the result is the even one of
///   S + floor(F) and S + floor(F) + 1: from an even S every addition then adds the same amount.
///   Whole stretches of equal increments are taken at once, up to the last addition that ends at
///   most at B - u and the last one that starts below the target; the one or two additions that
///   cross into the next binade are made singly. Each stretch ends at the count, the target or a
///   binade whose sum is at least twice the last one's, so the work is O(log count).
/// Sums or values that are zero, negative or not finite are added one at a time (in a profile these
/// are the empty bins and overflow, where the first or second addition stops changing the sum).
template <bool Bounded>
[[nodiscard]] inline RepeatedSum add_repeatedly(double sum, double v, std::uint64_t count, double target) noexcept {
  constexpr std::uint64_t top = (std::uint64_t{1} << 53) - 1;  // B - u, in units of u
  constexpr double finite = std::numeric_limits<double>::max();
  std::uint64_t done = 0;
  while (done < count) {
    if (Bounded && !(target > sum)) return {sum, done};
    // Short runs (every bin its own run when the bins are few) are cheaper added one by one.
    if (count - done > 16 && sum > 0.0 && sum <= finite && v > 0.0 && v <= finite) {
      int e = 0;
      (void)std::frexp(sum, &e);  // sum in [2^(e-1), 2^e)
      e = std::max(e, -1021);     // every double below 2^-1021 is a multiple of 2^-1074
      const int unit = e - 53;    // u = 2^unit
      const double f = std::ldexp(v, -unit);  // exact where it matters (F >= 1/2)
      const double fc = std::ceil(f);
      const auto si = static_cast<std::uint64_t>(std::ldexp(sum, -unit));  // S, exact
      const bool tie = f - std::floor(f) == 0.5;
      // A stretch starts only where its first addition stays in the binade, and for a tie at an
      // even S (an odd S is first moved to an even one by a single addition).
      if (fc <= static_cast<double>(top) && si + static_cast<std::uint64_t>(fc) <= top && !(tie && si % 2 != 0)) {
        const double next = sum + v;
        const auto step = static_cast<std::uint64_t>(std::ldexp(next - sum, -unit));  // exact
        if (step == 0) return {sum, count};
        // Additions i = 0 .. m - 1 start at S + i step; each must end at most at B - u ...
        std::uint64_t m = (top - static_cast<std::uint64_t>(fc) - si) / step + 1;
        // ... and start below the target (S + i step < t, t > S).
        if (Bounded) {
          const double t = std::ldexp(target, -unit);
          if (t < 0x1p62) m = std::min(m, (static_cast<std::uint64_t>(std::ceil(t)) - 1 - si) / step + 1);
        }
        m = std::min(m, count - done);
        sum = std::ldexp(static_cast<double>(si + m * step), unit);
        done += m;
        continue;
      }
    }
    const double next = sum + v;
    if (std::bit_cast<std::uint64_t>(next) == std::bit_cast<std::uint64_t>(sum)) return {sum, count};
    sum = next;
    ++done;
  }
  return {sum, done};
}

}  // namespace detail

/// acc + v added `count` times, one addition at a time (computed in O(log count), bit for bit).
[[nodiscard]] inline double add_repeatedly(double acc, double v, std::uint64_t count) noexcept {
  return detail::add_repeatedly<false>(acc, v, count, 0.0).sum;
}

/// acc + v added one addition at a time, at most `count` times, each only while target > acc
/// (computed in O(log count), bit for bit); also says how many were made (all `count` once they
/// stopped changing acc).
[[nodiscard]] inline RepeatedSum add_repeatedly_until(double acc, double v, std::uint64_t count,
                                                      double target) noexcept {
  return detail::add_repeatedly<true>(acc, v, count, target);
}

/// The sum of all bins, lowest bin first, from -0.0.
[[nodiscard]] inline double profile_total(const VolumeBins& p) noexcept {
  double total = -0.0;
  for (std::size_t j = 0; j < p.runs(); ++j) total = add_repeatedly(total, p.values[j], p.run_end(j) - p.starts[j]);
  return total;
}

/// The point of control and the bins [lo, hi] of the value area.
struct ValueAreaBins {
  std::uint64_t poc = 0;
  std::uint64_t lo = 0;
  std::uint64_t hi = 0;
};

/// The value area of fraction r: starting at the POC bin k with A = bin k, while total * r > A the
/// area takes the bin above when its volume is at least the one below (or when no bin remains
/// below), else the bin below, until no bin remains on either side.
[[nodiscard]] inline ValueAreaBins value_area(const VolumeBins& p, double r) noexcept {
  const double target = profile_total(p) * r;
  const std::uint64_t k = p.poc_index();
  std::size_t jlo = p.run_of(k);
  std::size_t jhi = jlo;
  double a = p.values[jlo];
  ValueAreaBins area{k, k, k};
  // Takes bins of value v while the target is not reached, at most `run` of them: the side and
  // the value stay the same until the run of the taken bins ends.
  const auto take = [&](double v, std::uint64_t run) {
    const RepeatedSum taken = add_repeatedly_until(a, v, run, target);
    a = taken.sum;
    return taken.additions;
  };
  while (target > a) {
    const bool below = area.lo > 0;
    const bool above = area.hi + 1 < p.bins;
    if (!below && !above) break;
    const std::size_t jb = below && area.lo == p.starts[jlo] ? jlo - 1 : jlo;
    const std::size_t ja = above && area.hi + 1 == p.run_end(jhi) ? jhi + 1 : jhi;
    if (above && (!below || p.values[ja] >= p.values[jb])) {
      area.hi += take(p.values[ja], p.run_end(ja) - (area.hi + 1));
      jhi = ja;
    } else {
      area.lo -= take(p.values[jb], area.lo - p.starts[jb]);
      jlo = jb;
    }
  }
  return area;
}

/// The last `period` candles of a rolling profile member and the builder of their profiles.
class ProfileWindow {
 public:
  explicit ProfileWindow(std::uint64_t period, std::uint64_t bins) noexcept
      : window_(static_cast<std::size_t>(period)), bins_(bins) {}

  /// Adds the candle; true once the window holds `period` candles.
  bool push(const Candle& c) {
    window_.push_discard(profile_bar(c));
    return window_.full();
  }
  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return window_.capacity(); }
  [[nodiscard]] std::uint64_t bins() const noexcept { return bins_; }
  /// G, the lowest low of the window.
  [[nodiscard]] double low() const { return scan_min(window_, [](const ProfileBar& b) { return b.low; }); }
  /// T, the highest high of the window.
  [[nodiscard]] double high() const { return scan_max(window_, [](const ProfileBar& b) { return b.high; }); }

  /// The volume profile of the window (valid until the next build).
  VolumeBins volume_profile() {
    return volumes_.build(bins_, low(), high(), window_.size(), [&](auto&& f) { window_.for_each(f); });
  }
  /// The time profile of the window (valid until the next build).
  TimeBins time_profile() {
    return counts_.build(bins_, low(), high(), window_.size(), [&](auto&& f) { window_.for_each(f); });
  }

 private:
  Window<ProfileBar> window_;
  std::uint64_t bins_;
  ProfileBuilder<double> volumes_;
  ProfileBuilder<std::uint64_t> counts_;
};

}  // namespace sorvik::profiles
