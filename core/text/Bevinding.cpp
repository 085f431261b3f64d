#include "core/text/Bevinding.h"

#include "core/text/Teksten.h"

#include <iterator>

static_assert(std::size(Tekst::Bevindingen) == static_cast<std::size_t>(TBevindingId::Count),
              "every finding has its one text in the catalogue");

std::string BevindingText(const TBevinding& bevinding) {
  const std::string_view tekst = Tekst::Bevindingen[static_cast<std::size_t>(bevinding.Id)];
  std::string text;
  text.reserve(tekst.size() + 16);
  for (std::size_t i = 0; i < tekst.size(); ++i) {
    if (tekst[i] == '%' && i + 1 < tekst.size() && tekst[i + 1] >= '1' && tekst[i + 1] <= '9') {
      const auto arg = static_cast<std::size_t>(tekst[++i] - '1');
      if (arg < bevinding.Args.size()) text += bevinding.Args[arg];
    } else {
      text += tekst[i];
    }
  }
  if (bevinding.Meer > 0) text += FillIn(Tekst::MeerOpDezeRegel, std::to_string(bevinding.Meer));
  return text;
}
