#include "core/text/Teksten.h"

#include "core/text/Version.h"

#include <cerrno>

std::string FillIn(std::string_view text, std::string_view first, std::string_view second) {
  std::string filled;
  filled.reserve(text.size() + first.size() + second.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      filled += text[i + 1] == '1' ? first : second;
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

std::string OneLine(std::string_view lines) {
  std::string line;
  line.reserve(lines.size());
  for (const char c : lines) {
    if (c != '\r')
      line += c;
    else if (!line.empty() && line.back() != ' ')
      line += ' ';
  }
  return line;
}

std::string CaptionText(char decimalSeparator) {
  return Tekst::Caption + VersionText(decimalSeparator);
}

std::string KortVeldTekst(std::string_view tekst) {
  // A finding names the value; a field of a line without separators can be the whole line.
  constexpr std::size_t MaxTekst = 40;
  std::string kort(tekst.substr(0, MaxTekst));
  if (tekst.size() > MaxTekst) kort += '\x85';
  return kort;
}

std::string_view CoderingNaam(TTekstCodering codering) {
  switch (codering) {
  case TTekstCodering::Cp1252:
    return "code page 1252";
  case TTekstCodering::Utf8:
    return "UTF-8";
  case TTekstCodering::Utf8Bom:
    return "UTF-8 met BOM";
  case TTekstCodering::Utf16LE:
    return "UTF-16 LE";
  case TTekstCodering::Utf16BE:
    return "UTF-16 BE";
  }
  return {};
}

std::string LoadStatusText(std::optional<int> fouten, TTekstCodering codering) {
  if (!fouten) return {};
  std::string text = FillIn(Tekst::Fouten, std::to_string(*fouten));
  if (codering != TTekstCodering::Cp1252) text += FillIn(Tekst::GelezenAls, CoderingNaam(codering));
  return text;
}

std::string VanBestandenText(std::size_t i, std::size_t n) {
  return FillIn(Tekst::VanBestanden, std::to_string(i), std::to_string(n));
}

std::string LoadProgressText(std::string_view name, std::size_t read, std::size_t size) {
  return read < size ? FillIn(Tekst::Inlezen, name, std::to_string(100 * read / size))
                     : FillIn(Tekst::Verwerken, name);
}

std::string ToernooiTeGrootText(std::size_t spelers, std::size_t rondes) {
  return rondes == 1
             ? FillIn(Tekst::ToernooiTeGrootEenRonde, std::to_string(spelers))
             : FillIn(Tekst::ToernooiTeGroot, std::to_string(spelers), std::to_string(rondes));
}

std::string RunEndText(std::size_t made, std::size_t refused, std::string_view where) {
  std::string text = made == 0   ? std::string(Tekst::GeenRapporten)
                     : made == 1 ? FillIn(Tekst::EenRapportIn, where)
                                 : FillIn(Tekst::RapportenIn, std::to_string(made), where);
  if (refused == 0) {
    return text;
  }
  if (text.ends_with('.')) {
    text.pop_back();
  }
  return text + "; " +
         (refused == 1 ? std::string(Tekst::EenGeweigerd)
                       : FillIn(Tekst::Geweigerd, std::to_string(refused)));
}

std::string NietGemaaktText(std::error_code ec) {
  return std::string(Tekst::NietGemaakt) + "\r" + SystemReasonText(ec);
}

std::string NietGeopendText(std::error_code ec) {
  return std::string(Tekst::NietGeopend) + "\r" + SystemReasonText(ec);
}

std::string SystemReasonText(std::error_code ec) {
  if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
    switch (ec.value()) {
    case EACCES:
    case EPERM:
      return Tekst::GeenToestemming;
    case EROFS:
      return Tekst::AlleenLezen;
    case EISDIR:
      return Tekst::MapMetDieNaam;
    case ENOSPC:
    case EDQUOT:
      return Tekst::SchijfVol;
    case EFBIG:
      return Tekst::TeGrootVoorSchijf;
    case ENOENT:
    case ENOTDIR:
      return Tekst::MapBestaatNiet;
    case ENAMETOOLONG:
      return Tekst::NaamTeLang;
    case EIO:
      return Tekst::SchrijfFout;
    default:
      break;
    }
  }
  return FillIn(Tekst::Systeemfout, std::to_string(ec.value()));
}
