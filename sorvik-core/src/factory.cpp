#include "sorvik/factory.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "catalog.hpp"
#include "registry.hpp"

namespace sorvik {

namespace detail {

const Registry& registry() {
  static const Registry reg = [] {
    Registry r;
    const auto rows = catalog_rows();
    r.entries.reserve(rows.size());
    r.rows.assign(rows.size(), nullptr);
    for (const CatalogRow& row : rows) {
      r.entries.push_back(CatalogEntry{row.name, row.feed, row.signature, false, {}, {}});
    }
    for (auto table_fn : FAMILY_TABLES) {
      for (const RegistryEntry& e : table_fn().entries) {
        const auto it = std::lower_bound(rows.begin(), rows.end(), e.name,
                                         [](const CatalogRow& a, std::string_view n) { return a.name < n; });
        if (it == rows.end() || it->name != e.name) continue;  // not a catalog name: never reachable
        const auto i = static_cast<std::size_t>(it - rows.begin());
        if (r.rows[i] != nullptr) continue;  // the first registration wins
        r.rows[i] = &e;
        r.entries[i].built = true;
        r.entries[i].outputs = e.outputs;
        r.entries[i].example = std::span<const double>(e.example.data(), e.example_count);
      }
    }
    return r;
  }();
  return reg;
}

long find_index(std::string_view name) noexcept {
  const auto rows = catalog_rows();
  const auto it = std::lower_bound(rows.begin(), rows.end(), name,
                                   [](const CatalogRow& a, std::string_view n) { return a.name < n; });
  if (it == rows.end() || it->name != name) return -1;
  return static_cast<long>(it - rows.begin());
}

const RegistryEntry* find_registered(std::string_view name) noexcept {
  const long i = find_index(name);
  return i < 0 ? nullptr : registry().rows[static_cast<std::size_t>(i)];
}

namespace {

constexpr double INTEGER_TOLERANCE = 2.220446049250313e-16;  // 2^-52

std::string param_text(std::string_view head, std::size_t pos, std::string_view tail) {
  std::string s(head);
  s += std::to_string(pos);
  s += tail;
  return s;
}

std::string bad_value(std::size_t pos, std::string_view what, double x) {
  std::string s = param_text("parameter #", pos, what);
  s += format_param(x);
  return s;
}

}  // namespace

std::expected<std::array<ParamValue, MAX_PARAMS>, std::string> decode_params(
    std::string_view signature, std::span<const double> params) {
  std::array<ParamValue, MAX_PARAMS> out{};
  for (std::size_t pos = 0; pos < signature.size(); ++pos) {
    if (pos >= params.size()) return std::unexpected(param_text("missing parameter #", pos, ""));
    const double x = params[pos];
    if (!std::isfinite(x)) return std::unexpected(param_text("parameter #", pos, " must be finite"));
    const double t = std::trunc(x);
    ParamValue& v = out[pos];
    switch (signature[pos]) {
      case 'P':
        if (!(x > 0.0) || !(x - t <= INTEGER_TOLERANCE)) {
          return std::unexpected(bad_value(pos, " must be a positive integer, got ", x));
        }
        v.positive = t >= 18446744073709551616.0 ? UINT64_MAX : static_cast<std::uint64_t>(t);
        break;
      case 'R':
        v.real = x;
        break;
      case 'I':
        if (!(std::fabs(x - t) <= INTEGER_TOLERANCE) || x < -2147483648.0 || x > 2147483647.0) {
          return std::unexpected(bad_value(pos, " must be an i32, got ", x));
        }
        v.i32 = static_cast<std::int32_t>(t);
        break;
      case 'U':
        if (x < 0.0 || !(x - t <= INTEGER_TOLERANCE) || x > 4294967295.0) {
          return std::unexpected(bad_value(pos, " must be a u32, got ", x));
        }
        v.u32 = static_cast<std::uint32_t>(t);
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace detail

std::string FactoryError::display() const {
  if (kind == Kind::UnknownIndicatorType) return "unknown indicator type: " + name;
  return "invalid parameters for indicator " + name + ": " + message;
}

std::string format_param(double x) {
  // Shortest round-trip digits in positional notation; at most ~330 characters for a double.
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return std::string(buf, res.ptr);
}

std::string_view resolve_alias(std::string_view type_name) noexcept {
  for (const Alias& a : ALIASES) {
    if (a.alias == type_name) return a.canonical;
  }
  return type_name;
}

std::expected<std::unique_ptr<BarIndicator>, FactoryError> create_indicator(
    std::string_view type_name, std::span<const double> params) {
  const std::string_view canonical = resolve_alias(type_name);
  const long idx = detail::find_index(canonical);
  if (idx < 0) {
    return std::unexpected(FactoryError{FactoryError::Kind::UnknownIndicatorType, std::string(type_name), {}});
  }
  const auto& reg = detail::registry();
  const detail::RegistryEntry* row = reg.rows[static_cast<std::size_t>(idx)];
  const std::string_view signature =
      row != nullptr ? row->signature_text() : reg.entries[static_cast<std::size_t>(idx)].signature;
  auto decoded = detail::decode_params(signature, params);
  if (!decoded) {
    return std::unexpected(
        FactoryError{FactoryError::Kind::IndicatorParameters, std::string(canonical), std::move(decoded.error())});
  }
  if (row == nullptr) {
    // A catalog name whose family is not built yet cannot be constructed.
    return std::unexpected(FactoryError{FactoryError::Kind::UnknownIndicatorType, std::string(type_name), {}});
  }
  auto made = row->create(std::span<const detail::ParamValue>(decoded->data(), row->param_count));
  if (!made) {
    return std::unexpected(
        FactoryError{FactoryError::Kind::IndicatorParameters, std::string(canonical), made.error().display()});
  }
  return std::move(*made);
}

std::optional<FeedKind> feed_kind_of(std::string_view type_name) noexcept {
  const long idx = detail::find_index(type_name);
  if (idx < 0) return std::nullopt;
  return detail::catalog_rows()[static_cast<std::size_t>(idx)].feed;
}

std::span<const CatalogEntry> catalog() { return detail::registry().entries; }

std::vector<double> sample_params(const CatalogEntry& entry, std::uint64_t base_period) {
  if (!entry.example.empty()) return {entry.example.begin(), entry.example.end()};
  std::vector<double> p;
  double k = 0.0;
  for (char kind : entry.signature) {
    switch (kind) {
      case 'P':
        k = k + 1.0;
        p.push_back(k * static_cast<double>(base_period));
        break;
      case 'R':
        p.push_back(0.5);
        break;
      case 'I':
        p.push_back(0.0);
        break;
      default:
        p.push_back(1.0);
        break;
    }
  }
  return p;
}

const CatalogEntry* find_catalog_entry(std::string_view type_name) {
  const long idx = detail::find_index(type_name);
  return idx < 0 ? nullptr : &detail::registry().entries[static_cast<std::size_t>(idx)];
}

}  // namespace sorvik
