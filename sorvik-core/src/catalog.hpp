#pragma once

#include <span>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik::detail {

/// One row of the name table.
struct CatalogRow {
  std::string_view name;
  FeedKind feed;
  std::string_view signature;
};

/// The 495 canonical names in ascending byte order.
[[nodiscard]] std::span<const CatalogRow> catalog_rows() noexcept;

}  // namespace sorvik::detail
