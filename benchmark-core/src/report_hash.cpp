#include "sorvik_benchmark/report_hash.hpp"

#include <blake3.h>

#include "sorvik_benchmark/canonical.hpp"

namespace sorvik::runner {

std::string blake3_hex(std::string_view bytes) {
  blake3_hasher hasher;
  blake3_hasher_init(&hasher);
  blake3_hasher_update(&hasher, bytes.data(), bytes.size());
  std::uint8_t digest[BLAKE3_OUT_LEN];
  blake3_hasher_finalize(&hasher, digest, BLAKE3_OUT_LEN);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out(2 * BLAKE3_OUT_LEN, '0');
  for (std::size_t i = 0; i < BLAKE3_OUT_LEN; ++i) {
    out[2 * i] = kHex[digest[i] >> 4];
    out[2 * i + 1] = kHex[digest[i] & 0xF];
  }
  return out;
}

std::string report_hash(const json::Value& report) { return blake3_hex(canonical_text(report)); }

}  // namespace sorvik::runner
