#pragma once

// What a family's registration table needs: `entry<T>("Name")` turns a plain indicator class into one
// row of the registry. The parameter kinds are deduced from `T::create`'s signature, the input kind
// (and so the adapter and the feed kind) from `T::update`'s parameter, the named outputs from
// `T::output_names`.
//
// A type T provides:
//   static Expected<T> create(<decoded params>...);   // std::uint64_t (P), double (R),
//                                                     // std::int32_t (I), std::uint32_t (U)
//   std::optional<double> update(Input)                or
//   std::optional<std::array<double, N>> update(Input) with
//   static constexpr std::array<std::string_view, N> output_names{...};
//   std::uint64_t warmup_period() const;               (may be omitted by stateless types, see below)
//
// Input is one of: double (the bar's close), const Candle& (validated), PairInput, std::span<const
// Trade> (non-empty, all valid), const OrderBook& (present, valid), TradeQuote (non-empty valid
// trades, the book if present and valid, the close), const DerivativesTick& (present, valid),
// const CrossSection& (present, valid), or const BarContext& (raw, for the rare type that reads
// several parts; give its feed kind explicitly: entry<T>("Name", FeedKind::Kline)).
//
// A type whose value depends on the current input only may declare
//   static constexpr bool stateless = true;
// and omit warmup_period(): its warm-up is 1.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "sorvik/factory.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::detail {

// ---------------------------------------------------------------------------------------------------
// Decoded parameters

/// One decoded parameter; the member matching the position's kind is set.
struct ParamValue {
  std::uint64_t positive = 0;
  double real = 0.0;
  std::int32_t i32 = 0;
  std::uint32_t u32 = 0;

  template <class A>
  [[nodiscard]] A as() const noexcept {
    if constexpr (std::is_same_v<A, std::uint64_t>) {
      return positive;
    } else if constexpr (std::is_same_v<A, double>) {
      return real;
    } else if constexpr (std::is_same_v<A, std::int32_t>) {
      return i32;
    } else {
      static_assert(std::is_same_v<A, std::uint32_t>, "create() parameters: uint64_t, double, int32_t or uint32_t");
      return u32;
    }
  }
};

/// The longest signature of any type (Kst reads nine parameters).
inline constexpr std::size_t MAX_PARAMS = 9;

template <class A>
constexpr char param_letter() {
  using D = std::remove_cvref_t<A>;
  if constexpr (std::is_same_v<D, std::uint64_t>) {
    return 'P';
  } else if constexpr (std::is_same_v<D, double>) {
    return 'R';
  } else if constexpr (std::is_same_v<D, std::int32_t>) {
    return 'I';
  } else {
    static_assert(std::is_same_v<D, std::uint32_t>, "create() parameters: uint64_t, double, int32_t or uint32_t");
    return 'U';
  }
}

// ---------------------------------------------------------------------------------------------------
// Deduction from create() and update()

template <class F>
struct FnTraits;
template <class R, class... A>
struct FnTraits<R (*)(A...)> {
  using Result = R;
  using Args = std::tuple<std::remove_cvref_t<A>...>;
  static constexpr std::size_t arity = sizeof...(A);
};
template <class R, class... A>
struct FnTraits<R (*)(A...) noexcept> : FnTraits<R (*)(A...)> {};
template <class R, class C, class... A>
struct FnTraits<R (C::*)(A...)> : FnTraits<R (*)(A...)> {};
template <class R, class C, class... A>
struct FnTraits<R (C::*)(A...) noexcept> : FnTraits<R (*)(A...)> {};
template <class R, class C, class... A>
struct FnTraits<R (C::*)(A...) const> : FnTraits<R (*)(A...)> {};
template <class R, class C, class... A>
struct FnTraits<R (C::*)(A...) const noexcept> : FnTraits<R (*)(A...)> {};

template <class T>
using CreateTraits = FnTraits<decltype(&T::create)>;
template <class T>
using UpdateTraits = FnTraits<decltype(&T::update)>;
template <class T>
using InputOf = std::tuple_element_t<0, typename UpdateTraits<T>::Args>;
template <class T>
using OutputOf = typename UpdateTraits<T>::Result;

template <class T>
struct ArrayOutput : std::false_type {
  static constexpr std::size_t size = 0;
};
template <std::size_t N>
struct ArrayOutput<std::optional<std::array<double, N>>> : std::true_type {
  static constexpr std::size_t size = N;
};

template <class T>
constexpr bool is_stateless() {
  if constexpr (requires { T::stateless; }) {
    return T::stateless;
  } else {
    return false;
  }
}

template <class Input>
constexpr std::optional<FeedKind> feed_of_input() {
  if constexpr (std::is_same_v<Input, double> || std::is_same_v<Input, Candle> ||
                std::is_same_v<Input, PairInput>) {
    return FeedKind::Kline;
  } else if constexpr (std::is_same_v<Input, std::span<const Trade>>) {
    return FeedKind::Trade;
  } else if constexpr (std::is_same_v<Input, OrderBook>) {
    return FeedKind::Orderbook;
  } else if constexpr (std::is_same_v<Input, TradeQuote>) {
    return FeedKind::TradeQuote;
  } else if constexpr (std::is_same_v<Input, DerivativesTick>) {
    return FeedKind::Derivatives;
  } else if constexpr (std::is_same_v<Input, CrossSection>) {
    return FeedKind::CrossSection;
  } else {
    static_assert(std::is_same_v<Input, BarContext>, "unsupported update() input type");
    return std::nullopt;  // a raw-context type names its feed kind in its row
  }
}

// ---------------------------------------------------------------------------------------------------
// Adapters: one template, specialised on the input kind by `if constexpr`.

template <class T>
class Adapter final : public BarIndicator {
  using Input = InputOf<T>;
  using Output = OutputOf<T>;
  static constexpr bool multi = ArrayOutput<Output>::value;
  static constexpr std::size_t N = ArrayOutput<Output>::size;

 public:
  explicit Adapter(T core) : core_(std::move(core)) {
    if constexpr (multi) {
      for (std::size_t i = 0; i < N; ++i) named_[i] = NamedValue{T::output_names[i], 0.0};
    }
  }

  std::optional<double> update(const BarContext& bar) override {
    if constexpr (std::is_same_v<Input, double>) {
      const double x = bar.candle.close;
      if (!std::isfinite(x)) return std::nullopt;
      return deliver(core_.update(x));
    } else if constexpr (std::is_same_v<Input, Candle>) {
      if (check_candle(bar.candle)) return std::nullopt;
      return deliver(core_.update(bar.candle));
    } else if constexpr (std::is_same_v<Input, PairInput>) {
      if (!bar.reference) return std::nullopt;
      const PairInput p{bar.candle.close, *bar.reference};
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
      return deliver(core_.update(p));
    } else if constexpr (std::is_same_v<Input, std::span<const Trade>>) {
      if (bar.trades.empty() || check_trades(bar.trades)) return std::nullopt;
      return deliver(core_.update(bar.trades));
    } else if constexpr (std::is_same_v<Input, OrderBook>) {
      if (bar.order_book == nullptr || check_order_book(*bar.order_book)) return std::nullopt;
      return deliver(core_.update(*bar.order_book));
    } else if constexpr (std::is_same_v<Input, TradeQuote>) {
      if (bar.trades.empty() || check_trades(bar.trades)) return std::nullopt;
      if (bar.order_book != nullptr && check_order_book(*bar.order_book)) return std::nullopt;
      return deliver(core_.update(TradeQuote{bar.trades, bar.order_book, bar.candle.close}));
    } else if constexpr (std::is_same_v<Input, DerivativesTick>) {
      if (bar.derivatives == nullptr || check_derivatives_tick(*bar.derivatives)) return std::nullopt;
      return deliver(core_.update(*bar.derivatives));
    } else if constexpr (std::is_same_v<Input, CrossSection>) {
      if (bar.cross_section == nullptr || check_cross_section(*bar.cross_section)) {
        return std::nullopt;
      }
      return deliver(core_.update(*bar.cross_section));
    } else {
      return deliver(core_.update(bar));
    }
  }

  [[nodiscard]] std::span<const NamedValue> extra_outputs() const override {
    if constexpr (multi) {
      if (has_named_) return std::span<const NamedValue>(named_.data(), N);
    }
    return {};
  }

  [[nodiscard]] std::uint64_t warmup_period() const override {
    if constexpr (is_stateless<T>()) {
      return 1;
    } else {
      return core_.warmup_period();
    }
  }

  [[nodiscard]] const T& core() const noexcept { return core_; }

 private:
  std::optional<double> deliver(const Output& out) {
    if constexpr (multi) {
      if (!out) return std::nullopt;
      for (std::size_t i = 0; i < N; ++i) named_[i].value = (*out)[i];
      has_named_ = true;
      return (*out)[0];
    } else {
      return out;
    }
  }

  T core_;
  [[no_unique_address]] std::conditional_t<multi, std::array<NamedValue, N>, std::array<NamedValue, 0>>
      named_{};
  bool has_named_ = false;
};

// ---------------------------------------------------------------------------------------------------
// Registry rows

using CreateResult = std::expected<std::unique_ptr<BarIndicator>, IndicatorError>;
using CreateFn = CreateResult (*)(std::span<const ParamValue> params);

/// One row of a family's table.
struct RegistryEntry {
  std::string_view name;
  FeedKind feed = FeedKind::Kline;
  std::array<char, MAX_PARAMS> signature{};  // letters, '\0'-padded
  std::uint8_t param_count = 0;
  CreateFn create = nullptr;
  std::span<const std::string_view> outputs;  // named outputs, empty for single-output types
  std::array<double, MAX_PARAMS> example{};    // parameters that build the type (see with_example)
  std::uint8_t example_count = 0;

  [[nodiscard]] constexpr std::string_view signature_text() const noexcept {
    return std::string_view(signature.data(), param_count);
  }

  /// The row with an example parameter list, for types that the signature defaults of
  /// `sample_params` do not build: `entry<Kama>("Kama").with_example({10, 2, 30})`.
  [[nodiscard]] constexpr RegistryEntry with_example(std::initializer_list<double> params) const {
    RegistryEntry e = *this;
    std::size_t i = 0;
    for (double x : params) {
      if (i < MAX_PARAMS) e.example[i++] = x;
    }
    e.example_count = static_cast<std::uint8_t>(i);
    return e;
  }
};

template <class T, std::size_t... I>
CreateResult create_adapted([[maybe_unused]] std::span<const ParamValue> p, std::index_sequence<I...>) {
  using Args = typename CreateTraits<T>::Args;
  Expected<T> made = T::create(p[I].template as<std::tuple_element_t<I, Args>>()...);
  if (!made) return std::unexpected(made.error());
  return std::unique_ptr<BarIndicator>(std::make_unique<Adapter<T>>(std::move(*made)));
}

template <class T>
CreateResult create_entry(std::span<const ParamValue> p) {
  return create_adapted<T>(p, std::make_index_sequence<CreateTraits<T>::arity>{});
}

template <class T, std::size_t... I>
constexpr std::array<char, MAX_PARAMS> signature_of(std::index_sequence<I...>) {
  using Args = typename CreateTraits<T>::Args;
  return {param_letter<std::tuple_element_t<I, Args>>()...};
}

template <class T>
constexpr std::span<const std::string_view> outputs_of() {
  if constexpr (ArrayOutput<OutputOf<T>>::value) {
    static_assert(T::output_names.size() == ArrayOutput<OutputOf<T>>::size,
                  "output_names must name every field of update()'s array");
    return std::span<const std::string_view>(T::output_names.data(), T::output_names.size());
  } else {
    return {};
  }
}

/// The registry row of type T under `name`. The feed kind follows from update()'s input; a type fed
/// the raw `BarContext` gives it as the second argument.
template <class T>
constexpr RegistryEntry entry(std::string_view name, std::optional<FeedKind> feed = std::nullopt) {
  static_assert(std::is_same_v<typename CreateTraits<T>::Result, Expected<T>>,
                "T::create must return Expected<T>");
  static_assert(CreateTraits<T>::arity <= MAX_PARAMS);
  static_assert(std::is_same_v<OutputOf<T>, std::optional<double>> || ArrayOutput<OutputOf<T>>::value,
                "T::update must return std::optional<double> or std::optional<std::array<double, N>>");
  constexpr auto deduced = feed_of_input<std::remove_cvref_t<InputOf<T>>>();
  RegistryEntry e;
  e.name = name;
  e.feed = feed ? *feed : deduced.value_or(FeedKind::Kline);
  e.signature = signature_of<T>(std::make_index_sequence<CreateTraits<T>::arity>{});
  e.param_count = static_cast<std::uint8_t>(CreateTraits<T>::arity);
  e.create = &create_entry<T>;
  e.outputs = outputs_of<T>();
  return e;
}

}  // namespace sorvik::detail
