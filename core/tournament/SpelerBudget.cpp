#include "core/tournament/SpelerBudget.h"

namespace {

constexpr std::uintmax_t MiB = std::uintmax_t{1} << 20;

} // namespace

std::uintmax_t SpelerBudget(std::size_t fileBytes, bool invoerTabel) {
  if (invoerTabel) return 4 * std::uintmax_t{fileBytes} + 40 * MiB;
  return 6 * std::uintmax_t{fileBytes} + 16 * MiB;
}

double NaamBytes(const std::string& naam) {
  return naam.size() > NaamInPlaats ? static_cast<double>(naam.size() + 1) : 0;
}

double TableBytes(std::uintmax_t spelers, std::uintmax_t rondes) {
  return static_cast<double>(rondes) * RondeBytes +
         static_cast<double>(spelers) * (SpelerBytes + static_cast<double>(rondes) * RondeCelBytes);
}
