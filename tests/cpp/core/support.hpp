#pragma once

// What the indicator family tests share: the special values, candle and bar makers, building through
// the factory, feeding a sequence of inputs and collecting the answers, and the displayed text of a
// constructor's error. A test file brings them in with `using namespace sorvik::test;` inside its own
// anonymous namespace; a helper the file defines itself under the same name takes precedence there.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/factory.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik::test {

inline constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double Inf = std::numeric_limits<double>::infinity();
/// The machine epsilon: read by the factory as a positive integer 0.
inline constexpr double TINY = 2.220446049250313e-16;

// ---------------------------------------------------------------------------------------------------
// Candles and bars

inline Candle candle(double o, double h, double l, double c, double v = 1.0, std::int64_t time = 0) {
  return Candle{time, o, h, l, c, v};
}
/// A candle of high h, low l and close c, the open at the close.
inline Candle hlc(double h, double l, double c) { return candle(c, h, l, c); }
/// A candle of range [l, h] whose open and close sit at its middle.
inline Candle hl(double h, double l) { return candle(midpoint(h, l), h, l, midpoint(h, l)); }
/// A flat candle at x (open = high = low = close), of volume v.
inline Candle flat(double x, double v = 1.0) { return candle(x, x, x, x, v); }

/// A bar carrying the candle only.
inline BarContext bar(const Candle& c) {
  BarContext ctx;
  ctx.candle = c;
  return ctx;
}
/// A bar whose candle is flat at the close, of volume 1.
inline BarContext bar(double close, std::int64_t time = 0) {
  BarContext ctx;
  ctx.candle = Candle{time, close, close, close, close, 1.0};
  return ctx;
}

// ---------------------------------------------------------------------------------------------------
// Building and feeding

/// Builds through the factory; a failure is reported and gives null.
inline std::unique_ptr<BarIndicator> make(std::string_view name, std::vector<double> params = {}) {
  auto made = create_indicator(name, params);
  EXPECT_TRUE(made.has_value()) << name << ": " << (made ? "" : made.error().display());
  return made ? std::move(*made) : nullptr;
}

/// Feeds a typed indicator every input in order and collects what each update answered.
template <class T, class Inputs>
auto run_all(T& ind, const Inputs& xs) {
  std::vector<decltype(ind.update(*std::begin(xs)))> out;
  for (const auto& x : xs) out.push_back(ind.update(x));
  return out;
}
template <class T>
auto run(T& ind, const std::vector<double>& xs) {
  return run_all(ind, xs);
}
template <class T>
auto run(T& ind, const std::vector<Candle>& xs) {
  return run_all(ind, xs);
}
template <class T>
auto run(T& ind, std::span<const Candle> xs) {
  return run_all(ind, xs);
}

/// Feeds a factory-built indicator one bar per close (flat candles) and collects its answers.
inline std::vector<std::optional<double>> run(BarIndicator& ind, const std::vector<double>& closes) {
  std::vector<std::optional<double>> out;
  for (double x : closes) out.push_back(ind.update(bar(x)));
  return out;
}

/// The primary value of each answer of a typed indicator (the first field of named outputs).
template <class T, class In>
std::vector<std::optional<double>> run_primary(T& ind, const std::vector<In>& xs) {
  std::vector<std::optional<double>> out;
  for (const In& x : xs) {
    const auto v = ind.update(x);
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(v)>, std::optional<double>>) {
      out.push_back(v);
    } else {
      out.push_back(v ? std::optional<double>((*v)[0]) : std::nullopt);
    }
  }
  return out;
}

/// The last answer of feeding xs.
template <class T>
auto last(T& ind, const std::vector<double>& xs) {
  return run(ind, xs).back();
}

// ---------------------------------------------------------------------------------------------------
// Constructor errors

/// The displayed text of a typed constructor's error, or "ok" when it built.
template <class T>
std::string error_text(const Expected<T>& made) {
  return made ? "ok" : made.error().display();
}

/// The displayed text of the factory's error for the name and parameters, or "built".
inline std::string failure(std::string_view name, std::vector<double> params) {
  auto made = create_indicator(name, params);
  if (made) return "built";
  return made.error().display();
}

/// The error of T::create(args...) with every argument as a positive integer, or nothing when it
/// builds.
template <class T, class... A>
std::optional<IndicatorError> error_of(A... args) {
  auto made = T::create(static_cast<std::uint64_t>(args)...);
  if (made) return std::nullopt;
  return made.error();
}

}  // namespace sorvik::test
