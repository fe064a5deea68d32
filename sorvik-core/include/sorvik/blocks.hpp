#pragma once

// The shared numeric building blocks of every indicator: the ring window, the running sum with its
// periodic re-add, the anchored moment sums and the rolling sample variance, the exponential and
// Wilder steps (as bare steps and as seeded stages), rolling extremes by scan, the monotonic index
// deque, the sorted window, `midpoint` and `non_negative`.
//
// Storage grows as values arrive and never beyond the window length, so a window of MAX_PERIOD costs
// memory only for the values actually pushed. Nothing here allocates once a window is full.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace sorvik {

// ---------------------------------------------------------------------------------------------------
// Small numeric helpers

/// (a + b) * 0.5, or a * 0.5 + b * 0.5 when either magnitude exceeds half the largest finite double.
[[nodiscard]] inline double midpoint(double a, double b) noexcept {
  constexpr double half_max = 8.988465674311579e307;
  if (std::fabs(a) <= half_max && std::fabs(b) <= half_max) return (a + b) * 0.5;
  return a * 0.5 + b * 0.5;
}

/// max(v, 0) that also maps a NaN to 0.
[[nodiscard]] inline double non_negative(double v) noexcept { return v > 0.0 ? v : 0.0; }

/// Saturating arithmetic on counts (warm-ups such as n + m or 2n - 1 never wrap).
[[nodiscard]] constexpr std::uint64_t sat_add(std::uint64_t a, std::uint64_t b) noexcept {
  const std::uint64_t s = a + b;
  return s < a ? std::numeric_limits<std::uint64_t>::max() : s;
}
[[nodiscard]] constexpr std::uint64_t sat_sub(std::uint64_t a, std::uint64_t b) noexcept {
  return a > b ? a - b : 0;
}
[[nodiscard]] constexpr std::uint64_t sat_mul(std::uint64_t a, std::uint64_t b) noexcept {
  if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
    return std::numeric_limits<std::uint64_t>::max();
  }
  return a * b;
}

/// The total order on doubles (sign-magnitude order of the bit patterns: -0 before +0, NaNs at the
/// ends by sign).
[[nodiscard]] inline std::int64_t total_order_key(double x) noexcept {
  auto i = std::bit_cast<std::int64_t>(x);
  return i ^ static_cast<std::int64_t>(static_cast<std::uint64_t>(i >> 63) >> 1);
}
[[nodiscard]] inline bool total_less(double a, double b) noexcept {
  return total_order_key(a) < total_order_key(b);
}

// ---------------------------------------------------------------------------------------------------
// Window

/// FIFO ring of capacity n; pushing into a full window first drops the oldest element. Elements are
/// indexed oldest first (`[0]` is the oldest); `back(k)` is k pushes before the newest.
template <class T>
class Window {
 public:
  explicit Window(std::size_t capacity) noexcept : cap_(capacity) {}

  [[nodiscard]] std::size_t capacity() const noexcept { return cap_; }
  [[nodiscard]] std::size_t size() const noexcept { return buf_.size(); }
  [[nodiscard]] bool empty() const noexcept { return buf_.empty(); }
  [[nodiscard]] bool full() const noexcept { return buf_.size() == cap_; }
  /// Elements the storage can hold before it grows again (never more than the capacity).
  [[nodiscard]] std::size_t reserved() const noexcept { return buf_.capacity(); }

  /// Appends x; when full, the oldest element is dropped first and returned.
  std::optional<T> push(const T& x) {
    if (buf_.size() == cap_) [[likely]] {
      T dropped = std::move(buf_[head_]);
      buf_[head_] = x;
      if (++head_ == cap_) head_ = 0;
      return dropped;
    }
    append(x);
    return std::nullopt;
  }

  /// Appends x without returning the dropped element.
  void push_discard(const T& x) {
    if (buf_.size() == cap_) [[likely]] {
      buf_[head_] = x;
      if (++head_ == cap_) head_ = 0;
      return;
    }
    append(x);
  }

  /// i = 0 is the oldest element.
  [[nodiscard]] const T& operator[](std::size_t i) const noexcept {
    std::size_t j = head_ + i;
    if (j >= buf_.size()) j -= buf_.size();
    return buf_[j];
  }
  [[nodiscard]] const T& oldest() const noexcept { return buf_[head_]; }
  [[nodiscard]] const T& newest() const noexcept {
    return head_ == 0 ? buf_.back() : buf_[head_ - 1];
  }
  /// k = 0 is the newest element, k = size() - 1 the oldest.
  [[nodiscard]] const T& back(std::size_t k) const noexcept { return (*this)[buf_.size() - 1 - k]; }

  /// Visits every element oldest first.
  template <class F>
  void for_each(F&& f) const {
    const std::size_t n = buf_.size();
    for (std::size_t i = head_; i < n; ++i) f(buf_[i]);
    for (std::size_t i = 0; i < head_; ++i) f(buf_[i]);
  }

 private:
  // The filling path, kept out of line so that the full-window path inlines.
  [[gnu::noinline]] void append(const T& x) {
    if (buf_.size() == buf_.capacity()) {
      std::size_t want = buf_.size() < 8 ? 8 : buf_.size() * 2;
      if (want > cap_) want = cap_;
      buf_.reserve(want);
    }
    buf_.push_back(x);
  }

  std::vector<T> buf_;
  std::size_t cap_;
  std::size_t head_ = 0;  // position of the oldest element once full
};

/// Left-to-right sum of a window's elements, oldest first, starting from zero.
[[nodiscard]] inline double window_sum(const Window<double>& w) noexcept {
  double s = 0.0;
  w.for_each([&](double x) { s = s + x; });
  return s;
}

// ---------------------------------------------------------------------------------------------------
// Running sum

/// A rolling sum over a `Window` of n values. While filling: sum = x + sum. Once full: sum =
/// x + (sum - oldest). Every `readd_interval` pushes (counted from construction) the sum is
/// recomputed from scratch, oldest first from zero. The `Sma` core uses 16 * n.
class RunningSum {
 public:
  RunningSum(std::uint64_t n, std::uint64_t readd_interval) noexcept
      : window_(static_cast<std::size_t>(n)), n_(static_cast<double>(n)), readd_(readd_interval) {}
  /// The `Sma` convention: re-add every 16 * n pushes.
  explicit RunningSum(std::uint64_t n) noexcept : RunningSum(n, sat_mul(16, n)) {}

  void push(double x) {
    if (window_.full()) {
      const double o = window_.oldest();
      window_.push_discard(x);
      sum_ = x + (sum_ - o);
    } else {
      window_.push_discard(x);
      sum_ = x + sum_;
    }
    if (++pushes_ == readd_) {
      sum_ = window_sum(window_);
      pushes_ = 0;
    }
  }

  [[nodiscard]] double sum() const noexcept { return sum_; }
  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::size_t size() const noexcept { return window_.size(); }
  [[nodiscard]] std::size_t period() const noexcept { return window_.capacity(); }
  /// sum / n (meaningful once full).
  [[nodiscard]] double mean() const noexcept { return sum_ / n_; }
  [[nodiscard]] const Window<double>& window() const noexcept { return window_; }

 private:
  Window<double> window_;
  double n_;
  double sum_ = 0.0;
  std::uint64_t pushes_ = 0;
  std::uint64_t readd_;
};

// ---------------------------------------------------------------------------------------------------
// Anchored moments

// The rolling power sums of a window, shifted by an anchor K to keep them small. The anchor is the
// first value, then the window mean, refreshed every `period` pushes (counted from construction), when
// every sum is recomputed from the window. Embed it wherever a rolling mean, variance or higher moment
// is needed.

/// Rolling sums S1 = Σ(x-K), S2 = Σ(x-K)² and, with Order 3 or 4, S3 = Σ(x-K)³ and S4 = Σ(x-K)⁴.
template <int Order>
class AnchoredMoments {
  static_assert(Order >= 2 && Order <= 4);

 public:
  /// Precondition: 1 <= period <= MAX_PERIOD.
  explicit AnchoredMoments(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)), period_(period) {}

  /// Adds a finite value (the caller filters non-finite input).
  void push(double x) {
    if (window_.full()) remove(window_.oldest() - k_);
    window_.push_discard(x);
    if (!anchored_) {
      k_ = x;
      anchored_ = true;
    }
    add(x - k_);
    if (++pushes_ == period_) reanchor();
  }

  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  [[nodiscard]] const Window<double>& window() const noexcept { return window_; }
  [[nodiscard]] double anchor() const noexcept { return k_; }
  [[nodiscard]] double s1() const noexcept { return s1_; }
  [[nodiscard]] double s2() const noexcept { return s2_; }
  [[nodiscard]] double s3() const noexcept { return s3_; }
  [[nodiscard]] double s4() const noexcept { return s4_; }

  // Once full, with n = period, a = S1/n and b = S2/n:
  /// a = S1 / n.
  [[nodiscard]] double shifted_mean() const noexcept { return s1_ / n_; }
  /// K + a.
  [[nodiscard]] double mean() const noexcept { return k_ + shifted_mean(); }
  /// Population variance max(b - a², 0).
  [[nodiscard]] double variance() const noexcept {
    const double a = shifted_mean();
    const double b = s2_ / n_;
    return non_negative(b - a * a);
  }

 private:
  void add(double d) noexcept {
    s1_ = s1_ + d;
    const double d2 = d * d;
    s2_ = s2_ + d2;
    if constexpr (Order >= 3) s3_ = s3_ + d2 * d;
    if constexpr (Order >= 4) s4_ = s4_ + d2 * d2;
  }
  void remove(double d) noexcept {
    s1_ = s1_ - d;
    const double d2 = d * d;
    s2_ = s2_ - d2;
    if constexpr (Order >= 3) s3_ = s3_ - d2 * d;
    if constexpr (Order >= 4) s4_ = s4_ - d2 * d2;
  }
  void reanchor() noexcept {
    k_ = window_sum(window_) / static_cast<double>(window_.size());
    s1_ = s2_ = s3_ = s4_ = 0.0;
    window_.for_each([&](double v) { add(v - k_); });
    pushes_ = 0;
  }

  Window<double> window_;
  double n_;
  std::uint64_t period_;
  double k_ = 0.0;
  bool anchored_ = false;
  double s1_ = 0.0;
  double s2_ = 0.0;
  double s3_ = 0.0;
  double s4_ = 0.0;
  std::uint64_t pushes_ = 0;
};

/// The rolling sample variance of the last w values, kept as shifted sums (the first value as the
/// initial shift, re-based on the window mean every w pushes): with d = S1 / w,
/// variance = max(fma(w, -d², S2) / (w - 1), 0). Requires w >= 2.
class RollingSampleVariance {
 public:
  /// Precondition: 2 <= w.
  explicit RollingSampleVariance(std::uint64_t w) noexcept
      : acc_(w), w_(static_cast<double>(w)), w_minus_1_(static_cast<double>(w - 1)) {}

  /// Adds a finite value.
  void push(double x) { acc_.push(x); }

  [[nodiscard]] bool full() const noexcept { return acc_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return acc_.period(); }
  /// K + S1 / w (meaningful once full).
  [[nodiscard]] double mean() const noexcept { return acc_.mean(); }
  /// max(fma(w, -(S1 / w)², S2) / (w - 1), 0) (meaningful once full).
  [[nodiscard]] double variance() const noexcept {
    const double d = acc_.s1() / w_;
    return std::max(std::fma(w_, -(d * d), acc_.s2()) / w_minus_1_, 0.0);
  }
  /// sqrt(variance): neither annualised nor in percent.
  [[nodiscard]] double deviation() const noexcept { return std::sqrt(variance()); }

 private:
  AnchoredMoments<2> acc_;
  double w_;
  double w_minus_1_;
};

// ---------------------------------------------------------------------------------------------------
// Exponential and Wilder steps

/// fma(alpha, x, beta * value): beta * value rounded first, then one fused multiply-add.
[[nodiscard]] inline double exp_step(double alpha, double beta, double value, double x) noexcept {
  return std::fma(alpha, x, beta * value);
}

/// Wilder divide form: (x + (n - 1) * value) / n with n_minus_1 = n + (-1) formed in doubles.
[[nodiscard]] inline double wilder_divide_step(double value, double x, double n_minus_1,
                                               double n) noexcept {
  return (x + n_minus_1 * value) / n;
}

/// Wilder reciprocal form: fma(value, k, x) * m with k = n - 1 and m = 1 / n.
[[nodiscard]] inline double wilder_reciprocal_step(double value, double x, double k,
                                                   double m) noexcept {
  return std::fma(value, k, x) * m;
}

/// Collects the first n inputs of a stage and seeds it with their mean (sum / n, the inputs added
/// in order from zero).
class SeedMean {
 public:
  explicit SeedMean(std::uint64_t n) noexcept : n_(n) {}
  /// Adds x; answers the mean at the n-th input.
  std::optional<double> add(double x) noexcept {
    sum_ = x + sum_;
    if (++count_ == n_) return sum_ / static_cast<double>(n_);
    return std::nullopt;
  }
  [[nodiscard]] std::uint64_t count() const noexcept { return count_; }
  [[nodiscard]] std::uint64_t period() const noexcept { return n_; }

 private:
  std::uint64_t n_;
  std::uint64_t count_ = 0;
  double sum_ = 0.0;
};

/// The exponential stage: seeded with the mean of its first `seed` inputs (yielded at the seed-th),
/// then value = fma(alpha, x, beta * value). By default alpha = 2 / (n + 1) and seed = n.
class ExpStage {
 public:
  explicit ExpStage(std::uint64_t n) noexcept
      : ExpStage(n, 2.0 / (static_cast<double>(n) + 1.0)) {}
  /// A stage with its own smoothing constant, seeded with the mean of the first `seed` inputs.
  ExpStage(std::uint64_t seed, double alpha) noexcept
      : alpha_(alpha), beta_(1.0 - alpha), seed_(seed) {}

  std::optional<double> update(double x) noexcept {
    if (ready_) [[likely]] {
      value_ = exp_step(alpha_, beta_, value_, x);
      return value_;
    }
    if (auto s = seed_.add(x)) {
      value_ = *s;
      ready_ = true;
      return value_;
    }
    return std::nullopt;
  }

  [[nodiscard]] bool ready() const noexcept { return ready_; }
  /// The current value (meaningful once ready).
  [[nodiscard]] double value() const noexcept { return value_; }
  [[nodiscard]] double alpha() const noexcept { return alpha_; }
  [[nodiscard]] std::uint64_t period() const noexcept { return seed_.period(); }

 private:
  double alpha_;
  double beta_;
  double value_ = 0.0;
  SeedMean seed_;
  bool ready_ = false;
};

/// Wilder stage, divide form: seeded with the mean of the first n inputs, then
/// value = (x + (n - 1) * value) / n.
class WilderStage {
 public:
  explicit WilderStage(std::uint64_t n) noexcept
      : n_(static_cast<double>(n)), n_minus_1_(static_cast<double>(n) + -1.0), seed_(n) {}

  std::optional<double> update(double x) noexcept {
    if (ready_) [[likely]] {
      value_ = wilder_divide_step(value_, x, n_minus_1_, n_);
      return value_;
    }
    if (auto s = seed_.add(x)) {
      value_ = *s;
      ready_ = true;
      return value_;
    }
    return std::nullopt;
  }

  [[nodiscard]] bool ready() const noexcept { return ready_; }
  [[nodiscard]] double value() const noexcept { return value_; }
  [[nodiscard]] std::uint64_t period() const noexcept { return seed_.period(); }

 private:
  double n_;
  double n_minus_1_;
  double value_ = 0.0;
  SeedMean seed_;
  bool ready_ = false;
};

/// Wilder stage, reciprocal form: seeded with the mean of the first n inputs, then
/// value = fma(value, k, x) * m with k = n - 1 and m = 1 / n stored at construction.
class WilderReciprocalStage {
 public:
  explicit WilderReciprocalStage(std::uint64_t n) noexcept
      : k_(static_cast<double>(n - 1)), m_(1.0 / static_cast<double>(n)), seed_(n) {}

  std::optional<double> update(double x) noexcept {
    if (ready_) [[likely]] {
      value_ = wilder_reciprocal_step(value_, x, k_, m_);
      return value_;
    }
    if (auto s = seed_.add(x)) {
      value_ = *s;
      ready_ = true;
      return value_;
    }
    return std::nullopt;
  }

  [[nodiscard]] bool ready() const noexcept { return ready_; }
  [[nodiscard]] double value() const noexcept { return value_; }
  [[nodiscard]] std::uint64_t period() const noexcept { return seed_.period(); }

 private:
  double k_;
  double m_;
  double value_ = 0.0;
  SeedMean seed_;
  bool ready_ = false;
};

// ---------------------------------------------------------------------------------------------------
// Rolling extremes by scan

/// The largest element, scanning oldest first from minus infinity (a NaN element never replaces the
/// running extreme). `proj` picks the compared field of a window of records.
template <class T, class Proj>
[[nodiscard]] double scan_max(const Window<T>& w, Proj proj) {
  double m = -std::numeric_limits<double>::infinity();
  w.for_each([&](const T& e) {
    const double v = proj(e);
    if (v > m) m = v;
  });
  return m;
}
template <class T, class Proj>
[[nodiscard]] double scan_min(const Window<T>& w, Proj proj) {
  double m = std::numeric_limits<double>::infinity();
  w.for_each([&](const T& e) {
    const double v = proj(e);
    if (v < m) m = v;
  });
  return m;
}
[[nodiscard]] inline double scan_max(const Window<double>& w) {
  return scan_max(w, [](double x) { return x; });
}
[[nodiscard]] inline double scan_min(const Window<double>& w) {
  return scan_min(w, [](double x) { return x; });
}

// ---------------------------------------------------------------------------------------------------
// Monotonic index deque

/// The extreme of the last n pushed values kept by a monotonic deque of (bar index, value). Pushing
/// drops expired indices from the front, then from the back every entry not beyond the new value
/// (for a maximum: not above it), then appends; the front is the extreme, and on ties the most
/// recent bar is the one kept. `IsMax` picks maximum or minimum.
template <bool IsMax>
class MonotonicExtreme {
 public:
  explicit MonotonicExtreme(std::uint64_t n) noexcept : n_(n) {}

  void push(double v) {
    const std::uint64_t idx = next_++;
    while (len_ != 0 && at(0).index + n_ <= idx) pop_front();
    while (len_ != 0 && !beyond(at(len_ - 1).value, v)) --len_;
    push_back({idx, v});
  }

  /// The extreme of the last n values (at least one value pushed).
  [[nodiscard]] double value() const noexcept { return at(0).value; }
  /// The bar index (0 = the first push) of the extreme.
  [[nodiscard]] std::uint64_t index() const noexcept { return at(0).index; }
  /// Number of values pushed since construction.
  [[nodiscard]] std::uint64_t pushes() const noexcept { return next_; }
  [[nodiscard]] bool full() const noexcept { return next_ >= n_; }

 private:
  struct Item {
    std::uint64_t index;
    double value;
  };
  // `kept` stays in front of `incoming` when it is strictly beyond it.
  static bool beyond(double kept, double incoming) noexcept {
    if constexpr (IsMax) {
      return kept > incoming;
    } else {
      return kept < incoming;
    }
  }
  const Item& at(std::size_t i) const noexcept {
    std::size_t j = head_ + i;
    if (j >= buf_.size()) j -= buf_.size();
    return buf_[j];
  }
  void pop_front() noexcept {
    if (++head_ == buf_.size()) head_ = 0;
    --len_;
  }
  void push_back(Item it) {
    if (len_ == buf_.size()) grow();
    std::size_t j = head_ + len_;
    if (j >= buf_.size()) j -= buf_.size();
    buf_[j] = it;
    ++len_;
  }
  void grow() {
    // Never more than n + 1 live entries; grow geometrically up to that.
    std::size_t want = buf_.empty() ? 8 : buf_.size() * 2;
    const std::uint64_t limit = n_ + 1;
    if (want > limit) want = static_cast<std::size_t>(limit);
    if (want <= buf_.size()) want = buf_.size() + 1;
    std::vector<Item> next(want);
    for (std::size_t i = 0; i < len_; ++i) next[i] = at(i);
    buf_ = std::move(next);
    head_ = 0;
  }

  std::vector<Item> buf_;
  std::size_t head_ = 0;
  std::size_t len_ = 0;
  std::uint64_t n_;
  std::uint64_t next_ = 0;
};

using RollingMax = MonotonicExtreme<true>;
using RollingMin = MonotonicExtreme<false>;

// ---------------------------------------------------------------------------------------------------
// Sorted window

/// A `Window` of raw values plus a copy kept in ascending total order. On a push into a full window
/// the oldest raw value is found in the sorted copy by bisection (first element not less than it) and
/// removed; the new value is inserted before the first element not less than it.
class SortedWindow {
 public:
  explicit SortedWindow(std::uint64_t n) noexcept : raw_(static_cast<std::size_t>(n)) {}

  void push(double x) {
    if (auto dropped = raw_.push(x)) {
      const auto it = std::lower_bound(sorted_.begin(), sorted_.end(), *dropped, total_less);
      sorted_.erase(it);
    } else if (sorted_.size() == sorted_.capacity()) {
      std::size_t want = sorted_.size() < 8 ? 8 : sorted_.size() * 2;
      if (want > raw_.capacity()) want = raw_.capacity();
      sorted_.reserve(want);
    }
    const auto it = std::lower_bound(sorted_.begin(), sorted_.end(), x, total_less);
    sorted_.insert(it, x);
  }

  [[nodiscard]] bool full() const noexcept { return raw_.full(); }
  [[nodiscard]] std::size_t size() const noexcept { return raw_.size(); }
  [[nodiscard]] std::size_t capacity() const noexcept { return raw_.capacity(); }
  [[nodiscard]] const Window<double>& raw() const noexcept { return raw_; }
  /// The held values in ascending total order.
  [[nodiscard]] const std::vector<double>& sorted() const noexcept { return sorted_; }

  /// The middle element for an odd count, the `midpoint` of the two middle ones for an even count.
  [[nodiscard]] double median() const noexcept {
    const std::size_t m = sorted_.size();
    if (m % 2 == 1) return sorted_[m / 2];
    return midpoint(sorted_[m / 2 - 1], sorted_[m / 2]);
  }

 private:
  Window<double> raw_;
  std::vector<double> sorted_;
};

}  // namespace sorvik
