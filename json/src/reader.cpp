#include "sorvik_json/reader.hpp"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <vector>

namespace sorvik::json {

std::string ParseFailure::display() const {
  return message + " at line " + std::to_string(line) + " column " + std::to_string(column);
}

namespace {

constexpr int kMaxDepth = 128;  // this many nested arrays/objects fail; one fewer is accepted

const char* const kEofList = "EOF while parsing a list";
const char* const kEofObject = "EOF while parsing an object";
const char* const kEofString = "EOF while parsing a string";
const char* const kEofValue = "EOF while parsing a value";
const char* const kExpectedColon = "expected `:`";
const char* const kExpectedListCommaOrEnd = "expected `,` or `]`";
const char* const kExpectedObjectCommaOrEnd = "expected `,` or `}`";
const char* const kExpectedIdent = "expected ident";
const char* const kExpectedValue = "expected value";
const char* const kInvalidEscape = "invalid escape";
const char* const kInvalidNumber = "invalid number";
const char* const kNumberOutOfRange = "number out of range";
const char* const kInvalidUnicode = "invalid unicode code point";
const char* const kControlCharacter = "control character (\\u0000-\\u001F) found while parsing a string";
const char* const kKeyMustBeString = "key must be a string";
const char* const kLoneLeadingSurrogate = "lone leading surrogate in hex escape";
const char* const kTrailingComma = "trailing comma";
const char* const kTrailingCharacters = "trailing characters";
const char* const kUnexpectedEndOfHexEscape = "unexpected end of hex escape";
const char* const kRecursionLimit = "recursion limit exceeded";

inline bool is_space(unsigned char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }
inline bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

int hex_value(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void append_utf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Length of the valid UTF-8 sequence starting at p (first byte >= 0x80), or 0 when it is not valid:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8_sequence(const unsigned char* p, const unsigned char* end) {
  const unsigned char c = p[0];
  auto cont = [&](std::size_t i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
  if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    if (!cont(1) || !cont(2)) return 0;
    if (c == 0xE0 && p[1] < 0xA0) return 0;
    if (c == 0xED && p[1] >= 0xA0) return 0;
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (!cont(1) || !cont(2) || !cont(3)) return 0;
    if (c == 0xF0 && p[1] < 0x90) return 0;
    if (c == 0xF4 && p[1] >= 0x90) return 0;
    return 4;
  }
  return 0;
}

}  // namespace

class Parser {
 public:
  explicit Parser(std::string_view text)
      : begin_(reinterpret_cast<const unsigned char*>(text.data())), p_(begin_), end_(begin_ + text.size()) {}

  std::expected<Value, ParseFailure> run() {
    Value root;
    if (parse_value(root, 0)) {
      skip_space();
      if (p_ == end_) return root;
      peek_error(kTrailingCharacters);
    }
    return std::unexpected(failure());
  }

 private:
  const unsigned char* begin_;
  const unsigned char* p_;
  const unsigned char* end_;
  const char* message_ = nullptr;
  std::size_t error_index_ = 0;
  std::vector<Value> values_;
  std::vector<Member> members_;
  std::string scratch_;

  // A failure on the byte about to be read: positioned on that byte (or at the end of the text).
  bool peek_error(const char* message) {
    message_ = message;
    error_index_ = static_cast<std::size_t>(p_ - begin_) + (p_ < end_ ? 1 : 0);
    return false;
  }
  // A failure found after reading: positioned on the last byte read.
  bool error(const char* message) {
    message_ = message;
    error_index_ = static_cast<std::size_t>(p_ - begin_);
    return false;
  }

  ParseFailure failure() const {
    const std::size_t i = error_index_;
    std::size_t start_of_line = 0;
    std::size_t line = 1;
    for (std::size_t k = 0; k < i; ++k) {
      if (begin_[k] == '\n') {
        ++line;
        start_of_line = k + 1;
      }
    }
    return ParseFailure{message_, line, i - start_of_line};
  }

  void skip_space() {
    while (p_ < end_ && is_space(*p_)) ++p_;
  }

  bool parse_ident(const char* rest) {
    for (; *rest != '\0'; ++rest) {
      if (p_ == end_) return error(kEofValue);
      const unsigned char c = *p_++;
      if (c != static_cast<unsigned char>(*rest)) return error(kExpectedIdent);
    }
    return true;
  }

  bool parse_value(Value& out, int depth) {
    skip_space();
    if (p_ == end_) return peek_error(kEofValue);
    switch (*p_) {
      case 'n':
        ++p_;
        if (!parse_ident("ull")) return false;
        out = Value();
        return true;
      case 't':
        ++p_;
        if (!parse_ident("rue")) return false;
        out = Value::boolean(true);
        return true;
      case 'f':
        ++p_;
        if (!parse_ident("alse")) return false;
        out = Value::boolean(false);
        return true;
      case '-':
      case '0': case '1': case '2': case '3': case '4':
      case '5': case '6': case '7': case '8': case '9':
        return parse_number(out);
      case '"': {
        ++p_;
        std::string_view s;
        if (!parse_string(s)) return false;
        out = Value::string(s);
        return true;
      }
      case '[':
        if (depth + 1 >= kMaxDepth) return peek_error(kRecursionLimit);
        ++p_;
        return parse_array(out, depth + 1);
      case '{':
        if (depth + 1 >= kMaxDepth) return peek_error(kRecursionLimit);
        ++p_;
        return parse_object(out, depth + 1);
      default:
        return peek_error(kExpectedValue);
    }
  }

  bool parse_array(Value& out, int depth) {
    const std::size_t base = values_.size();
    skip_space();
    if (p_ == end_) return peek_error(kEofList);
    if (*p_ != ']') {
      for (;;) {
        Value item;
        if (!parse_value(item, depth)) return false;
        values_.push_back(std::move(item));
        skip_space();
        if (p_ == end_) return peek_error(kEofList);
        if (*p_ == ']') break;
        if (*p_ != ',') return peek_error(kExpectedListCommaOrEnd);
        ++p_;
        skip_space();
        if (p_ == end_) return peek_error(kEofValue);
        if (*p_ == ']') return peek_error(kTrailingComma);
      }
    }
    ++p_;  // ']'
    const std::size_t n = values_.size() - base;
    out = Value::array(std::span<Value>(values_.data() + base, n));
    values_.resize(base);
    return true;
  }

  bool parse_object(Value& out, int depth) {
    const std::size_t base = members_.size();
    skip_space();
    if (p_ == end_) return peek_error(kEofObject);
    if (*p_ != '}') {
      if (*p_ != '"') return peek_error(kKeyMustBeString);
      for (;;) {
        ++p_;  // '"'
        std::string_view key;
        if (!parse_string(key)) return false;
        members_.emplace_back();
        members_.back().key_ = Value::string(key);
        skip_space();
        if (p_ == end_) return peek_error(kEofObject);
        if (*p_ != ':') return peek_error(kExpectedColon);
        ++p_;
        Value value;
        if (!parse_value(value, depth)) return false;
        members_.back().value_ = std::move(value);
        skip_space();
        if (p_ == end_) return peek_error(kEofObject);
        if (*p_ == '}') break;
        if (*p_ != ',') return peek_error(kExpectedObjectCommaOrEnd);
        ++p_;
        skip_space();
        if (p_ == end_) return peek_error(kEofValue);
        if (*p_ == '}') return peek_error(kTrailingComma);
        if (*p_ != '"') return peek_error(kKeyMustBeString);
      }
    }
    ++p_;  // '}'
    const std::size_t n = members_.size() - base;
    out = Value::adopt_object(members_.data() + base, n);
    members_.resize(base);
    return true;
  }

  // Reads the string body after the opening quote. The view points into the text or into scratch_,
  // valid until the next string is read.
  bool parse_string(std::string_view& out) {
    const unsigned char* start = p_;
    bool escaped = false;
    for (;;) {
      // Skip plain printable ASCII eight bytes at a time.
      while (end_ - p_ >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p_, 8);
        const std::uint64_t ones = 0x0101010101010101ULL;
        const std::uint64_t high = 0x8080808080808080ULL;
        const std::uint64_t quote = w ^ (ones * '"');
        const std::uint64_t slash = w ^ (ones * '\\');
        // A byte is "special" when it is '"', '\\', below 0x20 or at least 0x80.
        const std::uint64_t special = ((quote - ones) & ~quote) | ((slash - ones) & ~slash) |
                                      (w - ones * 0x20) | w;
        if ((special & high) != 0) break;
        p_ += 8;
      }
      if (p_ == end_) return error(kEofString);
      const unsigned char c = *p_;
      if (c == '"') {
        if (!escaped) {
          out = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(p_ - start));
        } else {
          scratch_.append(reinterpret_cast<const char*>(start), static_cast<std::size_t>(p_ - start));
          out = scratch_;
        }
        ++p_;
        return true;
      }
      if (c == '\\') {
        if (!escaped) {
          escaped = true;
          scratch_.clear();
        }
        scratch_.append(reinterpret_cast<const char*>(start), static_cast<std::size_t>(p_ - start));
        ++p_;
        if (!parse_escape()) return false;
        start = p_;
        continue;
      }
      if (c < 0x20) {
        ++p_;
        return error(kControlCharacter);
      }
      if (c >= 0x80) {
        const std::size_t n = utf8_sequence(p_, end_);
        if (n == 0) {
          ++p_;
          return error(kInvalidUnicode);
        }
        p_ += n;
        continue;
      }
      ++p_;
    }
  }

  bool parse_escape() {
    if (p_ == end_) return error(kEofString);
    const unsigned char c = *p_++;
    switch (c) {
      case '"': scratch_.push_back('"'); return true;
      case '\\': scratch_.push_back('\\'); return true;
      case '/': scratch_.push_back('/'); return true;
      case 'b': scratch_.push_back('\b'); return true;
      case 'f': scratch_.push_back('\f'); return true;
      case 'n': scratch_.push_back('\n'); return true;
      case 'r': scratch_.push_back('\r'); return true;
      case 't': scratch_.push_back('\t'); return true;
      case 'u': return parse_unicode_escape();
      default: return error(kInvalidEscape);
    }
  }

  bool decode_hex(std::uint32_t& out) {
    if (end_ - p_ < 4) {
      p_ = end_;
      return error(kEofString);
    }
    std::uint32_t v = 0;
    bool ok = true;
    for (int k = 0; k < 4; ++k) {
      const int h = hex_value(p_[k]);
      if (h < 0) ok = false;
      v = (v << 4) | static_cast<std::uint32_t>(h < 0 ? 0 : h);
    }
    p_ += 4;
    if (!ok) return error(kInvalidEscape);
    out = v;
    return true;
  }

  bool parse_unicode_escape() {
    std::uint32_t n = 0;
    if (!decode_hex(n)) return false;
    if (n >= 0xDC00 && n <= 0xDFFF) return error(kLoneLeadingSurrogate);
    if (n < 0xD800 || n > 0xDBFF) {
      append_utf8(scratch_, n);
      return true;
    }
    // A leading surrogate: a trailing one must follow as another \u escape.
    if (p_ == end_) return error(kEofString);
    if (*p_ != '\\') {
      ++p_;
      return error(kUnexpectedEndOfHexEscape);
    }
    ++p_;
    if (p_ == end_) return error(kEofString);
    if (*p_ != 'u') {
      ++p_;
      return error(kUnexpectedEndOfHexEscape);
    }
    ++p_;
    std::uint32_t n2 = 0;
    if (!decode_hex(n2)) return false;
    if (n2 < 0xDC00 || n2 > 0xDFFF) return error(kLoneLeadingSurrogate);
    append_utf8(scratch_, (((n - 0xD800) << 10) | (n2 - 0xDC00)) + 0x10000);
    return true;
  }

  bool parse_number(Value& out) {
    const unsigned char* start = p_;
    bool negative = false;
    if (*p_ == '-') {
      negative = true;
      ++p_;
    }
    if (p_ == end_) return error(kEofValue);
    const unsigned char first = *p_++;
    std::uint64_t significand = 0;
    bool overflow = false;
    const unsigned char* int_digits = p_ - 1;
    if (first == '0') {
      if (p_ < end_ && is_digit(*p_)) return peek_error(kInvalidNumber);
    } else if (is_digit(first)) {
      significand = first - '0';
      while (p_ < end_ && is_digit(*p_)) {
        const std::uint64_t d = *p_ - '0';
        if (!overflow) {
          if (significand > (UINT64_MAX - d) / 10) {
            overflow = true;
          } else {
            significand = significand * 10 + d;
          }
        }
        ++p_;
      }
    } else {
      return error(kInvalidNumber);
    }
    const unsigned char* int_end = p_;
    bool is_float = overflow;
    const unsigned char* frac_begin = p_;
    const unsigned char* frac_end = p_;
    std::int64_t exponent = 0;
    if (p_ < end_ && *p_ == '.') {
      ++p_;
      frac_begin = p_;
      while (p_ < end_ && is_digit(*p_)) ++p_;
      frac_end = p_;
      if (frac_begin == frac_end) {
        return p_ < end_ ? peek_error(kInvalidNumber) : peek_error(kEofValue);
      }
      is_float = true;
    }
    if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
      ++p_;
      bool negative_exponent = false;
      if (p_ < end_ && (*p_ == '+' || *p_ == '-')) {
        negative_exponent = *p_ == '-';
        ++p_;
      }
      if (p_ == end_) return error(kEofValue);
      if (!is_digit(*p_)) {
        ++p_;
        return error(kInvalidNumber);
      }
      while (p_ < end_ && is_digit(*p_)) {
        if (exponent < 1'000'000'000'000LL) exponent = exponent * 10 + (*p_ - '0');
        ++p_;
      }
      if (negative_exponent) exponent = -exponent;
      is_float = true;
    }
    if (!is_float) {
      if (!negative) {
        out = Value::u64(significand);
      } else if (significand == 0) {
        out = Value::f64(-0.0);
      } else if (significand <= (std::uint64_t{1} << 63)) {
        out = Value::i64(static_cast<std::int64_t>(0 - significand));
      } else {
        is_float = true;
      }
      if (!is_float) return true;
    }
    double d = 0.0;
    const auto r = std::from_chars(reinterpret_cast<const char*>(start), reinterpret_cast<const char*>(p_), d,
                                   std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
      // Either beyond the largest double or below half the smallest: decide by the decimal magnitude.
      std::int64_t magnitude = exponent;
      const unsigned char* q = int_digits;
      while (q < int_end && *q == '0') ++q;
      if (q < int_end) {
        magnitude += int_end - q;
      } else {
        const unsigned char* f = frac_begin;
        while (f < frac_end && *f == '0') ++f;
        magnitude -= f - frac_begin;
      }
      if (magnitude > 0) return error(kNumberOutOfRange);
      d = negative ? -0.0 : 0.0;
    } else if (r.ec != std::errc() || r.ptr != reinterpret_cast<const char*>(p_)) {
      return error(kInvalidNumber);
    }
    out = Value::f64(d);
    return true;
  }
};

std::expected<Value, ParseFailure> parse(std::string_view text) { return Parser(text).run(); }

}  // namespace sorvik::json
