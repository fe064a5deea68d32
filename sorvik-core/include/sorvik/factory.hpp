#pragma once

// Building indicators by type name. The registry is the closed set of 495 canonical type names
// plus two aliases; every name has a feed kind and a parameter signature.

#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The two failures of `create_indicator`.
struct FactoryError {
  enum class Kind : std::uint8_t {
    UnknownIndicatorType,  // "unknown indicator type: {name}"  (name exactly as declared)
    IndicatorParameters,   // "invalid parameters for indicator {name}: {message}"  (canonical name)
  };

  Kind kind = Kind::UnknownIndicatorType;
  std::string name;
  std::string message;  // empty for UnknownIndicatorType

  [[nodiscard]] std::string display() const;
  friend bool operator==(const FactoryError&, const FactoryError&) = default;
};

/// Builds a new, independent indicator. In order: the alias step, the exact-name lookup, every
/// parameter read by its kind (position 0 first; surplus elements ignored), the type's constructor,
/// the adapter of its input kind.
[[nodiscard]] std::expected<std::unique_ptr<BarIndicator>, FactoryError> create_indicator(
    std::string_view type_name, std::span<const double> params);

/// The feed kind of a canonical name; nothing for the two aliases and for unknown names.
[[nodiscard]] std::optional<FeedKind> feed_kind_of(std::string_view type_name) noexcept;

/// The canonical name of an alias ("Bollinger" -> "BollingerBands", "Macd" -> "MacdIndicator");
/// any other name is returned unchanged.
[[nodiscard]] std::string_view resolve_alias(std::string_view type_name) noexcept;

/// The kinds of positional parameters, by the letter of the signature tables.
enum class ParamKind : char {
  Positive = 'P',  // positive integer  -> std::uint64_t
  Real = 'R',      // finite real       -> double
  I32 = 'I',       // signed 32-bit     -> std::int32_t
  U32 = 'U',       // unsigned 32-bit   -> std::uint32_t
};

/// One canonical type of the registry.
struct CatalogEntry {
  std::string_view name;
  FeedKind feed = FeedKind::Kline;
  /// Parameter kinds in position order as letters, e.g. "PPR"; empty when the type reads none.
  std::string_view signature;
  /// Whether the type is implemented (its family has registered it).
  bool built = false;
  /// Named outputs in `extra_outputs` order (built multi-output types only; empty otherwise).
  std::span<const std::string_view> outputs;
  /// The example parameters the type's family registered, if any (built types only).
  std::span<const double> example;
};

/// Every canonical type name (495), in ascending byte order.
[[nodiscard]] std::span<const CatalogEntry> catalog();

/// The entry of a canonical name (no alias step), or null.
[[nodiscard]] const CatalogEntry* find_catalog_entry(std::string_view type_name);

/// Parameters that build a catalog type, for generic drivers (tests, benchmarks, tools): the type's
/// registered example if it has one, otherwise by signature P = k * base_period for the k-th P
/// (k = 1, 2, ...), R = 0.5, I = 0, U = 1.
[[nodiscard]] std::vector<double> sample_params(const CatalogEntry& entry, std::uint64_t base_period);

/// The two aliases and their canonical names.
struct Alias {
  std::string_view alias;
  std::string_view canonical;
};
inline constexpr Alias ALIASES[] = {{"Bollinger", "BollingerBands"}, {"Macd", "MacdIndicator"}};

/// The text of a parameter element in messages: shortest round-trip digits, plain notation, no
/// trailing ".0" (2.5, -1, -0, 0.000001, 100000000000000000000).
[[nodiscard]] std::string format_param(double x);

}  // namespace sorvik
