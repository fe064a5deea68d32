#pragma once

// The rule language: operands, conditions, the bar history they read and their evaluation.
//
// A rule is parsed into an immutable tree (`Condition`, `Operand`). Before a run the trees are
// compiled into a `RuleProgram`: every reference string is resolved once to a value slot of the
// run's `KeyTable`, so evaluating a rule on a bar touches no string and allocates nothing.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sorvik/records.hpp"

namespace sorvik::strategy {

/// Threshold of every zero or equality test of the rule language and the engine (2^-52).
inline constexpr double EPSILON = 2.220446049250313e-16;

enum class PriceField : std::uint8_t { Open, High, Low, Close, Volume, Hlc3, Ohlc4 };

/// A value a rule computes: a reference, a number, a price field, a look-back or arithmetic.
struct Operand {
  enum class Kind : std::uint8_t { Reference, Number, Price, Prev, Add, Sub, Mul, Div };
  Kind kind = Kind::Number;
  double number = 0.0;            // Number
  PriceField price = PriceField::Close;  // Price
  std::uint32_t count = 0;        // Prev: bars back
  std::string reference;          // Reference: id or id.output, as written
  std::vector<Operand> args;      // Prev: [x]; Add/Sub/Mul/Div: [a, b]

  static Operand ref(std::string r);
  static Operand num(double v);
  static Operand field(PriceField f);
  static Operand prev(Operand x, std::uint32_t n);
  static Operand binary(Kind k, Operand a, Operand b);
};

/// A threshold test on the count of bars since entry, in unsigned 32-bit arithmetic.
struct CountTest {
  enum class Op : std::uint8_t { Gt, Lt, Ge, Le, Eq };
  Op op = Op::Eq;
  std::uint32_t k = 0;
  bool passes(std::uint32_t count) const;
};

struct Condition {
  enum class Kind : std::uint8_t {
    Gt, Lt, Ge, Le, Eq, Ne, CrossAbove, CrossBelow, Between, Rising, Falling,
    All, Any, Not, InPosition, BarsSinceEntry
  };
  Kind kind = Kind::All;
  std::vector<Operand> operands;     // comparisons and crosses: [a, b]; between: [x, lo, hi];
                                     // rising/falling: [x]
  std::uint32_t count = 0;           // rising/falling: n
  std::vector<Condition> conditions; // all/any: the list; not: [c]
  bool flag = false;                 // in_position
  CountTest test;                    // bars_since_entry

  static Condition compare(Kind k, Operand a, Operand b);
  static Condition between(Operand x, Operand lo, Operand hi);
  static Condition trend(Kind k, Operand x, std::uint32_t n);  // Rising / Falling
  static Condition list(Kind k, std::vector<Condition> cs);    // All / Any
  static Condition negate(Condition c);
  static Condition in_position(bool flag);
  static Condition bars_since_entry(CountTest t);
};

/// The first reference (as written) whose part before its first full stop is not a declared id,
/// visiting depth first, left to right.
std::optional<std::string> check_references(const Condition& c,
                                            const std::set<std::string, std::less<>>& declared);

/// Bars before the current one that the condition can read. Sums of nested look-backs saturate
/// at the largest u64 instead of wrapping.
std::uint64_t history_depth(const Condition& c);
std::uint64_t history_depth(const Operand& o);

/// Whether a position is open and, while an entry bar is recorded, the bars since it.
struct SignalContext {
  bool in_position = false;
  std::optional<std::uint32_t> bars_since_entry;
};

/// The value keys a run's rules read, each with its slot index. Keys are exact strings.
class KeyTable {
 public:
  static constexpr std::uint32_t NONE = std::numeric_limits<std::uint32_t>::max();
  /// The slot of `key`, adding it when new.
  std::uint32_t intern(std::string_view key);
  /// The slot of `key`, or NONE.
  std::uint32_t find(std::string_view key) const;
  std::size_t size() const { return slots_.size(); }
  /// Whether some key starts with `prefix`.
  bool has_prefix(std::string_view prefix) const;

 private:
  std::map<std::string, std::uint32_t, std::less<>> slots_;
};

/// The most recent bar snapshots (candle plus the values of its key slots), oldest first, in a
/// ring of fixed capacity. A value that was not produced on its bar reads as NaN.
class History {
 public:
  History() : History(1, 0) {}
  History(std::size_t capacity, std::size_t slots);
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t slots() const { return slots_; }
  const Candle& candle(std::size_t i) const { return candles_[physical(i)]; }
  double value(std::size_t i, std::uint32_t slot) const {
    return values_[physical(i) * slots_ + slot];
  }
  /// Appends a snapshot of `c`, dropping the oldest when full, and returns its value row
  /// (`slots()` entries, all NaN) for the caller to fill.
  double* push(const Candle& c);

 private:
  std::size_t physical(std::size_t i) const {
    std::size_t p = head_ + i;
    return p >= capacity_ ? p - capacity_ : p;
  }
  std::vector<Candle> candles_;
  std::vector<double> values_;
  std::size_t capacity_;
  std::size_t slots_;
  std::size_t head_ = 0;
  std::size_t size_ = 0;
};

/// Rules compiled against a key table: flat node arrays, references resolved to slots.
/// Evaluation never allocates. Inside a program a missing value is NaN: every comparison and
/// every arithmetic result treats the two alike.
class RuleProgram {
 public:
  using Id = std::uint32_t;
  /// Compiles `c`, interning its references in `keys`; returns the rule's id.
  Id add(const Condition& c, KeyTable& keys);
  /// Compiles `c` resolving references without adding keys (unknown keys never yield).
  Id add_resolved(const Condition& c, const KeyTable& keys);

  bool evaluate(Id rule, const History& h, std::size_t index, const SignalContext& ctx) const;
  /// The operand of a compiled comparison, for tests: NaN when it yields nothing.
  double operand_value(Id op, const History& h, std::size_t index) const;
  Id add_operand(const Operand& o, const KeyTable& keys);

 private:
  struct OpNode {
    Operand::Kind kind;
    PriceField price;
    std::uint32_t count;
    std::uint32_t slot;
    Id a, b;
    double number;
  };
  struct CondNode {
    Condition::Kind kind;
    bool flag;
    CountTest test;
    std::uint32_t count;
    Id first;   // operands: first operand id; all/any/not: first entry in children_
    Id size;    // number of operands or children
  };
  template <class Resolve>
  Id compile_operand(const Operand& o, Resolve& resolve);
  template <class Resolve>
  Id compile_condition(const Condition& c, Resolve& resolve);
  double op(Id id, const History& h, std::size_t i) const;
  bool cond(Id id, const History& h, std::size_t i, const SignalContext& ctx) const;

  std::vector<OpNode> ops_;
  std::vector<CondNode> conds_;
  std::vector<Id> children_;  // operand ids of comparisons, condition ids of all/any/not
};

/// `operand` at index `index` of `history`, references looked up by exact key in `keys`.
std::optional<double> evaluate_operand(const Operand& operand, const History& history,
                                       std::size_t index, const KeyTable& keys);
/// `condition` at index `index`; never fails, a missing value makes its comparison false.
bool evaluate_condition(const Condition& condition, const History& history, std::size_t index,
                        const SignalContext& ctx, const KeyTable& keys);

}  // namespace sorvik::strategy
