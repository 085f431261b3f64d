#include "core/reading/SizeLimits.h"

std::uintmax_t SizeInMiB(std::uintmax_t size) {
  return size / (1 << 20) + (size % (1 << 20) != 0 ? 1 : 0);
}
