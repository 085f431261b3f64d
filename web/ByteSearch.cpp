#include <wasm_simd128.h>

#include <array>
#include <cstddef>
#include <cstdint>

// The C library's memchr and strcspn compare four bytes at a time; the reader looks for every
// line's and field's end with memchr and the tables find their cells with strcspn, so the
// core's versions compare sixteen.

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

namespace {

// The first byte equal to `wanted` or to the terminating zero. The loads are aligned blocks of
// sixteen, which never reach past the end of the linear memory, a multiple of 64 KiB.
const char* ByteOrEnd(const char* text, unsigned char wanted) {
  const v128_t needle = wasm_u8x16_splat(wanted);
  const v128_t zero = wasm_u8x16_splat(0);
  const auto address = reinterpret_cast<std::uintptr_t>(text);
  const auto skipped = static_cast<unsigned>(address & 15U);
  const auto* block = reinterpret_cast<const unsigned char*>(address - skipped);
  const auto found = [&] {
    const v128_t bytes = wasm_v128_load(block);
    return static_cast<std::uint32_t>(
        wasm_i8x16_bitmask(wasm_v128_or(wasm_i8x16_eq(bytes, needle), wasm_i8x16_eq(bytes, zero))));
  };
  if (const std::uint32_t first = found() >> skipped; first != 0)
    return text + __builtin_ctz(first);
  for (block += 16;; block += 16)
    if (const std::uint32_t next = found(); next != 0)
      return reinterpret_cast<const char*>(block + __builtin_ctz(next));
}

} // namespace

extern "C" std::size_t strcspn(const char* text, const char* set) {
  if (set[0] == '\0' || set[1] == '\0')
    return static_cast<std::size_t>(ByteOrEnd(text, static_cast<unsigned char>(set[0])) - text);
  std::array<bool, 256> stops{};
  stops[0] = true;
  for (; *set != '\0'; ++set) stops[static_cast<unsigned char>(*set)] = true;
  const char* s = text;
  while (!stops[static_cast<unsigned char>(*s)]) ++s;
  return static_cast<std::size_t>(s - text);
}
