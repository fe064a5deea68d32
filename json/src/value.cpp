#include "sorvik_json/value.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace sorvik::json {

namespace {

void* allocate(std::size_t bytes) {
  void* p = std::malloc(bytes);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

std::size_t block_size(const void* block) { return *static_cast<const std::size_t*>(block); }

template <class T>
T* block_items(void* block) {
  return reinterpret_cast<T*>(static_cast<std::size_t*>(block) + 1);
}

// Byte order, unsigned; a proper prefix first. Keys are short: a plain loop beats a memcmp call.
inline bool key_less(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

}  // namespace

Value::Value(const Value& other) : raw_(other.raw_) {
  switch (raw_.kind) {
    case kHeapString: {
      std::string_view s = other.as_string();
      void* block = allocate(sizeof(std::size_t) + s.size());
      *static_cast<std::size_t*>(block) = s.size();
      std::memcpy(static_cast<std::size_t*>(block) + 1, s.data(), s.size());
      raw_.heap.payload.block = block;
      break;
    }
    case kArray:
    case kObject: {
      if (other.raw_.heap.payload.block == nullptr) break;
      raw_.heap.payload.block = nullptr;
      const std::size_t n = block_size(other.raw_.heap.payload.block);
      const std::size_t width = raw_.kind == kArray ? sizeof(Value) : sizeof(Member);
      void* block = allocate(sizeof(std::size_t) + n * width);
      *static_cast<std::size_t*>(block) = 0;
      // Count up as elements are copied so that a failure part-way releases exactly those.
      Value guard;
      guard.raw_.heap.kind = raw_.kind;
      guard.raw_.heap.payload.block = block;
      if (raw_.kind == kArray) {
        const Value* src = block_items<Value>(other.raw_.heap.payload.block);
        Value* dst = block_items<Value>(block);
        for (std::size_t i = 0; i < n; ++i) {
          new (dst + i) Value(src[i]);
          *static_cast<std::size_t*>(block) = i + 1;
        }
      } else {
        const Member* src = block_items<Member>(other.raw_.heap.payload.block);
        Member* dst = block_items<Member>(block);
        for (std::size_t i = 0; i < n; ++i) {
          new (dst + i) Member(src[i]);
          *static_cast<std::size_t*>(block) = i + 1;
        }
      }
      guard.raw_ = empty_raw();
      raw_.heap.payload.block = block;
      break;
    }
    default:
      break;
  }
}

Value& Value::operator=(const Value& other) {
  if (this != &other) {
    Value copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void Value::release() noexcept {
  void* block = raw_.heap.payload.block;
  const std::uint8_t kind = raw_.kind;
  raw_ = empty_raw();
  if (block == nullptr) return;
  // Parsed values nest at most 127 levels; built values are as deep as their builder made them.
  const std::size_t n = block_size(block);
  if (kind == kArray) {
    Value* items = block_items<Value>(block);
    for (std::size_t i = 0; i < n; ++i) items[i].~Value();
  } else if (kind == kObject) {
    Member* members = block_items<Member>(block);
    for (std::size_t i = 0; i < n; ++i) members[i].~Member();
  }
  std::free(block);
}

Value Value::string(std::string_view s) {
  Value v;
  if (s.size() <= kInline) {
    v.raw_.small.kind = kSmallString;
    v.raw_.small.size = static_cast<std::uint8_t>(s.size());
    if (!s.empty()) std::memcpy(v.raw_.small.bytes, s.data(), s.size());
    return v;
  }
  void* block = allocate(sizeof(std::size_t) + s.size());
  *static_cast<std::size_t*>(block) = s.size();
  std::memcpy(static_cast<std::size_t*>(block) + 1, s.data(), s.size());
  v.raw_.heap.kind = kHeapString;
  v.raw_.heap.payload.block = block;
  return v;
}

Value Value::adopt_array(const Value* first, std::size_t n) {
  Value v;
  v.raw_.heap.kind = kArray;
  if (n == 0) return v;
  void* block = allocate(sizeof(std::size_t) + n * sizeof(Value));
  *static_cast<std::size_t*>(block) = n;
  std::memcpy(static_cast<void*>(block_items<Value>(block)), static_cast<const void*>(first), n * sizeof(Value));
  v.raw_.heap.payload.block = block;
  return v;
}

Value Value::array(std::span<Value> items) {
  Value v = adopt_array(items.data(), items.size());
  // Ownership moved bitwise: leave the sources empty without releasing.
  for (Value& item : items) item.raw_ = empty_raw();
  return v;
}

Value Value::array(std::vector<Value>&& items) {
  Value v = array(std::span<Value>(items));
  items.clear();
  return v;
}

Value Value::adopt_object(Member* first, std::size_t n) {
  Value v;
  v.raw_.heap.kind = kObject;
  if (n == 0) return v;
  auto less = [](const Member& a, const Member& b) { return key_less(a.key(), b.key()); };
  bool sorted = true;
  for (std::size_t i = 1; i < n; ++i) {
    if (!key_less(first[i - 1].key(), first[i].key())) {
      sorted = false;
      break;
    }
  }
  std::size_t kept = n;
  if (!sorted) {
    // Stable: among equal keys the later member comes last and wins.
    if (n <= 16) {
      for (std::size_t i = 1; i < n; ++i) {
        for (std::size_t j = i; j > 0 && less(first[j], first[j - 1]); --j) std::swap(first[j], first[j - 1]);
      }
    } else {
      std::stable_sort(first, first + n, less);
    }
    std::size_t out = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (i + 1 < n && first[i].key() == first[i + 1].key()) continue;  // a later member has this key
      if (out != i) first[out] = std::move(first[i]);
      ++out;
    }
    kept = out;
  }
  void* block = allocate(sizeof(std::size_t) + kept * sizeof(Member));
  *static_cast<std::size_t*>(block) = kept;
  std::memcpy(static_cast<void*>(block_items<Member>(block)), static_cast<const void*>(first), kept * sizeof(Member));
  for (std::size_t i = 0; i < kept; ++i) {
    first[i].key_.raw_ = empty_raw();
    first[i].value_.raw_ = empty_raw();
  }
  v.raw_.heap.payload.block = block;
  return v;
}

const Value* Value::find(std::string_view key) const noexcept {
  std::span<const Member> m = members();
  std::size_t lo = 0, hi = m.size();
  while (lo < hi) {
    std::size_t mid = lo + (hi - lo) / 2;
    std::string_view k = m[mid].key();
    if (k == key) return &m[mid].value();
    if (key_less(k, key)) lo = mid + 1; else hi = mid;
  }
  return nullptr;
}

ObjectBuilder& ObjectBuilder::add(std::string_view key, Value value) {
  members_.emplace_back(Value::string(key), std::move(value));
  return *this;
}

Value ObjectBuilder::build() && {
  Value v = Value::adopt_object(members_.data(), members_.size());
  members_.clear();
  return v;
}

}  // namespace sorvik::json
