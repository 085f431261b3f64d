#include "core/run/RunSource.h"

#include <memory>
#include <utility>

TRunSource::TRunSource(std::filesystem::path name, std::function<TSourceBytes()> read)
    : FName(std::move(name)), FRead(std::move(read)) {}

TRunSource TRunSource::Bytes(std::filesystem::path name, std::string bytes) {
  // Shared, since a std::function must be copyable; the bytes move out at the read.
  auto held = std::make_shared<std::string>(std::move(bytes));
  return {std::move(name), [held] { return TSourceBytes(std::move(*held)); }};
}

TRunSource TRunSource::Reader(std::filesystem::path name, std::function<TSourceBytes()> read) {
  return {std::move(name), std::move(read)};
}

TSourceBytes TRunSource::Read() {
  // The reader goes with its first call, and whatever it held with it.
  return std::exchange(FRead, nullptr)();
}
