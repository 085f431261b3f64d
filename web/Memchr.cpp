#include <wasm_simd128.h>

#include <cstddef>
#include <cstdint>

// The C library's memchr compares four bytes at a time; the reader looks for every line's and
// field's end with it, so the core's memchr compares sixteen.
extern "C" void* memchr(const void* source, int c, std::size_t n) {
  const auto* s = static_cast<const unsigned char*>(source);
  const auto wanted = static_cast<unsigned char>(c);
  const v128_t needle = wasm_u8x16_splat(wanted);
  for (; n >= 16; s += 16, n -= 16) {
    const std::uint32_t found = wasm_i8x16_bitmask(wasm_i8x16_eq(wasm_v128_load(s), needle));
    if (found != 0) return const_cast<unsigned char*>(s + __builtin_ctz(found));
  }
  for (; n > 0; ++s, --n)
    if (*s == wanted) return const_cast<unsigned char*>(s);
  return nullptr;
}
