#pragma once

// The registration table of every indicator family, one function per family folder
// (src/indicators/<family>/table.cpp). The registry concatenates them; nothing else lists types.

#include <span>

#include "registration.hpp"

namespace sorvik::detail {

/// A family's registered types and the names of its family that are not built yet.
struct FamilyTable {
  std::span<const RegistryEntry> entries;
  std::span<const std::string_view> pending;
};

FamilyTable moving_averages_table();
FamilyTable momentum_table();
FamilyTable bands_table();
FamilyTable volume_table();
FamilyTable trailing_stops_table();
FamilyTable directional_table();
FamilyTable composite_table();
FamilyTable volatility_table();
FamilyTable statistics_table();
FamilyTable cycles_table();
FamilyTable candlesticks_table();
FamilyTable chart_patterns_table();
FamilyTable pairs_table();
FamilyTable microstructure_table();
FamilyTable derivatives_breadth_table();
FamilyTable profiles_table();
FamilyTable performance_table();
FamilyTable demark_table();

/// Every family, in the order of their folders.
inline constexpr FamilyTable (*FAMILY_TABLES[])() = {
    &moving_averages_table,
    &momentum_table,
    &bands_table,
    &volume_table,
    &trailing_stops_table,
    &directional_table,
    &composite_table,
    &volatility_table,
    &statistics_table,
    &cycles_table,
    &candlesticks_table,
    &chart_patterns_table,
    &pairs_table,
    &microstructure_table,
    &derivatives_breadth_table,
    &profiles_table,
    &performance_table,
    &demark_table,
};

}  // namespace sorvik::detail
