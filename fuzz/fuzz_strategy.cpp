// The strategy path: the input is a strategy document; it is read, validated and, when it passes,
// backtested over a fixed set of candles that includes flat, zero, inverted and extreme bars.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "sorvik_backtest/engine.hpp"
#include "sorvik_json/reader.hpp"
#include "sorvik_strategy/reader.hpp"

namespace {

std::vector<sorvik::Candle> fixed_candles() {
  std::vector<sorvik::Candle> out;
  for (int i = 0; i < 40; ++i) {
    const double base = 100.0 + (i % 7) - (i % 3) * 1.5;
    out.push_back({i, base, base + 1.25, base - 1.0, base + 0.5, 10.0 + i});
  }
  out.push_back({40, 0.0, 0.0, 0.0, 0.0, 0.0});          // all zero
  out.push_back({41, 100.0, 99.0, 101.0, 100.0, 0.0});   // high below low, no volume
  out.push_back({42, 100.0, 100.0, 100.0, 100.0, 5.0});  // flat
  out.push_back({43, 1e300, 1e308, 1e-300, 1e300, 1e300});
  out.push_back({-5, -1.0, -0.5, -2.0, -1.0, -3.0});     // negative prices, time going back
  for (int i = 45; i < 64; ++i) out.push_back({i, 100.0 + i, 101.0 + i, 99.0 + i, 100.5 + i, 1.0});
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<sorvik::Candle> candles = fixed_candles();
  auto doc = sorvik::json::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!doc) return 0;
  auto spec = sorvik::strategy::parse_strategy(*doc);
  if (!spec) {
    if (spec.error().message.empty()) std::abort();
    return 0;
  }
  // run_backtest validates, checks the feeds and builds the indicators before the bar loop.
  auto report = sorvik::backtest::run_backtest(*spec, candles);
  if (report && report->equity.size() != candles.size()) std::abort();
  return 0;
}
