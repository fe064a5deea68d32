#pragma once
// The JSON value tree.
//
//   Value v = Value::f64(1.5);                 // scalars: null(), boolean(), u64(), i64(), f64(), string()
//   ObjectBuilder b;                           // objects: members in any order; a repeated key keeps
//   b.add("b", Value::u64(1)).add("a", v);     // the later value; stored sorted by key bytes
//   Value obj = std::move(b).build();
//   ArrayBuilder a; a.reserve(2); a.push(Value::null()); Value arr = std::move(a).build();
//
//   obj.kind() == Kind::Object;  obj.find("a") -> const Value* (nullptr when absent or not an object)
//   for (const Member& m : obj.members()) { m.key(); m.value(); }   // ascending key order
//   for (const Value& e : arr.items()) ...
//
// A Value is 16 bytes: short strings (up to 14 bytes) live inline, longer strings, arrays and objects
// in one exactly-sized heap block each. Allocation failure throws std::bad_alloc.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sorvik::json {

enum class Kind : std::uint8_t { Null, Bool, U64, I64, F64, String, Array, Object };

class Member;

class Value {
 public:
  Value() noexcept : raw_(empty_raw()) {}
  Value(const Value& other);
  Value(Value&& other) noexcept : raw_(other.raw_) { other.raw_ = empty_raw(); }
  Value& operator=(const Value& other);
  Value& operator=(Value&& other) noexcept {
    if (this != &other) {
      if (raw_.kind >= kHeapString) release();
      raw_ = other.raw_;
      other.raw_ = empty_raw();
    }
    return *this;
  }
  ~Value() { if (raw_.kind >= kHeapString) release(); }

  static Value null() noexcept { return Value(); }
  static Value boolean(bool b) noexcept;
  static Value u64(std::uint64_t x) noexcept;
  static Value i64(std::int64_t x) noexcept;
  static Value f64(double x) noexcept;
  static Value string(std::string_view s);
  /// Moves the items into the array.
  static Value array(std::vector<Value>&& items);
  static Value array(std::span<Value> items_to_move);

  Kind kind() const noexcept;
  bool is_null() const noexcept { return raw_.kind == kNull; }
  bool is_bool() const noexcept { return raw_.kind == kBool; }
  bool is_u64() const noexcept { return raw_.kind == kU64; }
  bool is_i64() const noexcept { return raw_.kind == kI64; }
  bool is_f64() const noexcept { return raw_.kind == kF64; }
  bool is_number() const noexcept { return raw_.kind >= kU64 && raw_.kind <= kF64; }
  bool is_string() const noexcept { return raw_.kind == kSmallString || raw_.kind == kHeapString; }
  bool is_array() const noexcept { return raw_.kind == kArray; }
  bool is_object() const noexcept { return raw_.kind == kObject; }

  // Unchecked accessors: call only for the matching kind.
  bool as_bool() const noexcept { return raw_.heap.payload.b; }
  std::uint64_t as_u64() const noexcept { return raw_.heap.payload.u; }
  std::int64_t as_i64() const noexcept { return raw_.heap.payload.i; }
  double as_f64() const noexcept { return raw_.heap.payload.f; }
  /// Any number as a double (integers converted); unchecked.
  double number_as_f64() const noexcept;
  std::string_view as_string() const noexcept;
  /// Elements of an array; empty for any other kind.
  std::span<const Value> items() const noexcept;
  /// Members of an object in ascending key order; empty for any other kind.
  std::span<const Member> members() const noexcept;
  /// The member value under `key`, or nullptr (also when this is not an object).
  const Value* find(std::string_view key) const noexcept;

 private:
  friend class ObjectBuilder;
  friend class ArrayBuilder;
  friend class Parser;
  enum : std::uint8_t {
    kNull, kBool, kU64, kI64, kF64, kSmallString,
    kHeapString, kArray, kObject  // kinds from kHeapString on own a heap block
  };
  static constexpr std::size_t kInline = 14;
  union Payload {
    bool b;
    std::uint64_t u;
    std::int64_t i;
    double f;
    void* block;  // heap string: {size, bytes}; array: {size, Value[]}; object: {size, Member[]}
  };
  struct Small {
    std::uint8_t kind;
    std::uint8_t size;
    char bytes[kInline];
  };
  struct Heap {
    std::uint8_t kind;
    std::uint8_t unused[7];
    Payload payload;
  };
  union Raw {
    std::uint8_t kind;  // common initial member of both views
    Small small;
    Heap heap;
  };
  static_assert(sizeof(Raw) == 16);
  Raw raw_;

  static Raw empty_raw() noexcept { Raw r; r.heap = Heap{kNull, {}, {.u = 0}}; return r; }
  void release() noexcept;
  static Value adopt_array(const Value* first, std::size_t n);  // bitwise move, sources left as-is
  static Value adopt_object(Member* first, std::size_t n);      // sorts, drops earlier duplicates
};

class Member {
 public:
  Member() = default;
  Member(Value key, Value value) : key_(std::move(key)), value_(std::move(value)) {}
  std::string_view key() const noexcept { return key_.as_string(); }
  const Value& value() const noexcept { return value_; }

 private:
  friend class Value;
  friend class ObjectBuilder;
  friend class Parser;
  Value key_;  // always a string
  Value value_;
};

/// Collects members in any order; build() sorts them by key bytes, a repeated key keeping its later value.
class ObjectBuilder {
 public:
  void reserve(std::size_t n) { members_.reserve(n); }
  ObjectBuilder& add(std::string_view key, Value value);
  Value build() &&;

 private:
  std::vector<Member> members_;
};

class ArrayBuilder {
 public:
  void reserve(std::size_t n) { items_.reserve(n); }
  ArrayBuilder& push(Value v) { items_.push_back(std::move(v)); return *this; }
  std::size_t size() const noexcept { return items_.size(); }
  Value build() && { return Value::array(std::move(items_)); }

 private:
  std::vector<Value> items_;
};

inline Value Value::boolean(bool b) noexcept { Value v; v.raw_.heap.kind = kBool; v.raw_.heap.payload.b = b; return v; }
inline Value Value::u64(std::uint64_t x) noexcept { Value v; v.raw_.heap.kind = kU64; v.raw_.heap.payload.u = x; return v; }
inline Value Value::i64(std::int64_t x) noexcept { Value v; v.raw_.heap.kind = kI64; v.raw_.heap.payload.i = x; return v; }
inline Value Value::f64(double x) noexcept { Value v; v.raw_.heap.kind = kF64; v.raw_.heap.payload.f = x; return v; }

inline Kind Value::kind() const noexcept {
  switch (raw_.kind) {
    case kNull: return Kind::Null;
    case kBool: return Kind::Bool;
    case kU64: return Kind::U64;
    case kI64: return Kind::I64;
    case kF64: return Kind::F64;
    case kSmallString:
    case kHeapString: return Kind::String;
    case kArray: return Kind::Array;
    default: return Kind::Object;
  }
}

inline double Value::number_as_f64() const noexcept {
  switch (raw_.kind) {
    case kU64: return static_cast<double>(raw_.heap.payload.u);
    case kI64: return static_cast<double>(raw_.heap.payload.i);
    default: return raw_.heap.payload.f;
  }
}

inline std::string_view Value::as_string() const noexcept {
  if (raw_.kind == kSmallString) {
    return {raw_.small.bytes, raw_.small.size};
  }
  const auto* size = static_cast<const std::size_t*>(raw_.heap.payload.block);
  return {reinterpret_cast<const char*>(size + 1), *size};
}

inline std::span<const Value> Value::items() const noexcept {
  if (raw_.kind != kArray || raw_.heap.payload.block == nullptr) return {};
  const auto* size = static_cast<const std::size_t*>(raw_.heap.payload.block);
  return {reinterpret_cast<const Value*>(size + 1), *size};
}

inline std::span<const Member> Value::members() const noexcept {
  if (raw_.kind != kObject || raw_.heap.payload.block == nullptr) return {};
  const auto* size = static_cast<const std::size_t*>(raw_.heap.payload.block);
  return {reinterpret_cast<const Member*>(size + 1), *size};
}

}  // namespace sorvik::json
