#include "web/WebForm.h"

using emscripten::val;

namespace {

// A report's name as the disks of Windows and macOS compare names: without regard to case,
// after Unicode normalisation. The zip of a run is unpacked on such disks, and a folder may be
// one.
std::string ReportKey(const std::string& name) {
  return val(name)
      .call<val>("normalize", std::string("NFC"))
      .call<val>("toLowerCase")
      .call<std::string>("normalize", std::string("NFC"));
}

} // namespace

// The text cut to what the page is handed, in UTF-8, an ellipsis where it was cut.
std::string ShownCp1252(std::string_view text) {
  if (text.size() <= ShownBytes) return Cp1252ToUtf8(text);
  return Cp1252ToUtf8(std::string(text.substr(0, ShownBytes)) + '\x85');
}

// The same for a text in UTF-8, cut between two characters.
std::string ShownUtf8(std::string text) {
  if (text.size() <= ShownBytes) return text;
  std::size_t end = ShownBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text + "\xE2\x80\xA6";
}

// The catalogue's words that compose makes around a name, in UTF-8 with the name as it is: the
// words are code page 1252 and the name is not, so a mark that neither holds stands for the
// name until the words are converted.
std::string WithName(const std::function<std::string(std::string_view)>& compose,
                     const std::string& name) {
  const std::string mark = "\x01";
  std::string text = Cp1252ToUtf8(compose(mark));
  if (const std::size_t at = text.find(mark); at != std::string::npos)
    text.replace(at, mark.size(), name);
  return text;
}

// How the page names files: as they are, in UTF-8, and a second listed file of a name, which
// the page hands over under a folder of its number, with that number after its name.
const TMessageNaming& PageNaming() {
  static const TMessageNaming naming{Utf8Naming().Text,
                                     [](const std::filesystem::path& path) {
                                       const std::string name = path.filename().string();
                                       return path.has_parent_path()
                                                  ? FillIn(Cp1252ToUtf8(Tekst::Volgnummer), name,
                                                           path.parent_path().string())
                                                  : name;
                                     },
                                     Utf8Naming().Path};
  return naming;
}

TWebForm::TWebForm(char decimalSeparator) : Conversion(UI, {decimalSeparator, true, true}) {
  Conversion.SetReportKey(ReportKey);
  Conversion.ClearTables();
}

std::optional<TWebForm>& Started() {
  static std::optional<TWebForm> form;
  return form;
}

// The page's form; Start makes it.
TWebForm& Form() {
  return Started().value();
}

// Why the browser could not read a file or write one, by the name of its DOMException;
// "Changed" when the browser's copy of the file as it was picked no longer reads.
TLoadOutcome ReadFailure(const std::string& error) {
  if (error == "Changed") return TLoadOutcome::Changed;
  // A handle of a file whose place a folder has taken.
  if (error == "TypeMismatchError") return TLoadOutcome::NotAFile;
  return error == "NotFoundError" ? TLoadOutcome::Missing : TLoadOutcome::Unreadable;
}

std::error_code WriteFailure(const std::string& error) {
  if (error == "NotAllowedError" || error == "SecurityError")
    return std::make_error_code(std::errc::permission_denied);
  if (error == "TypeMismatchError" || error == "InvalidModificationError")
    return std::make_error_code(std::errc::is_a_directory);
  if (error == "QuotaExceededError") return std::make_error_code(std::errc::no_space_on_device);
  if (error == "NotFoundError") return std::make_error_code(std::errc::no_such_file_or_directory);
  if (error == "NoModificationAllowedError")
    return std::make_error_code(std::errc::read_only_file_system);
  return std::make_error_code(std::errc::io_error);
}

TCellTable& Grid(int which) {
  switch (which) {
  case 0:
    return Form().Conversion.InputGrid;
  case 1:
    return Form().Conversion.ToernooiGrid;
  default:
    return Form().Conversion.ErrorGrid;
  }
}

// The bytes of a file as the page read it, a list of Uint8Arrays, copied once into the core's
// memory; each block is let go from the list once copied, so that the file does not lie in the
// worker twice while the core converts it.
std::string Bytes(val blocks) {
  const std::size_t n = blocks["length"].as<std::size_t>();
  std::size_t size = 0;
  for (std::size_t i = 0; i < n; ++i) size += blocks[i]["length"].as<std::size_t>();
  std::string bytes(size, '\0');
  std::size_t at = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const val block = blocks[i];
    const std::size_t length = block["length"].as<std::size_t>();
    val(emscripten::typed_memory_view(length, reinterpret_cast<unsigned char*>(bytes.data()) + at))
        .call<void>("set", block);
    at += length;
    blocks.set(i, val::null());
  }
  return bytes;
}
