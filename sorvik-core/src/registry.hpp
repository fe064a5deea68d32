#pragma once

// The registry: the name table joined with every family's registered rows, built once on first use
// and constant afterwards.

#include <span>
#include <string_view>
#include <vector>

#include "indicators/families.hpp"
#include "registration.hpp"
#include "sorvik/factory.hpp"

namespace sorvik::detail {

struct Registry {
  std::vector<CatalogEntry> entries;            // one per canonical name, ascending byte order
  std::vector<const RegistryEntry*> rows;       // parallel to `entries`; null when not built
};

[[nodiscard]] const Registry& registry();

/// The position of a canonical name in `registry().entries`, or -1.
[[nodiscard]] long find_index(std::string_view name) noexcept;

/// The registered row of a canonical name (no alias step), or null when unknown or not built.
[[nodiscard]] const RegistryEntry* find_registered(std::string_view name) noexcept;

/// Decodes the elements of `params` by the letters of `signature`, position 0 first. On failure the
/// message of the first failing read.
[[nodiscard]] std::expected<std::array<ParamValue, MAX_PARAMS>, std::string> decode_params(
    std::string_view signature, std::span<const double> params);

}  // namespace sorvik::detail
