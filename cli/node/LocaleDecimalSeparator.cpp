#include "cli/ConvertCommand.h"

#include <emscripten.h>

// The WebAssembly runtime knows only the C locale; the user's locale is the one the process's
// environment names, and node knows its decimal separator.
// clang-format off
EM_JS(int, NodeDecimalSeparator, (), {
  const env = process.env;
  const name = env.LC_ALL || env.LC_NUMERIC || env.LANG || "";
  const tag = name.split(".")[0].split("@")[0].replace("_", "-");
  if (tag === "" || tag === "C" || tag === "POSIX") return 46;
  try {
    const parts = new Intl.NumberFormat(tag).formatToParts(1.5);
    const decimal = parts.find(function(p) { return p.type === "decimal"; });
    if (decimal && decimal.value.length === 1 && decimal.value.charCodeAt(0) < 128)
      return decimal.value.charCodeAt(0);
  } catch (e) {
  }
  return 46;
});
// clang-format on

char LocaleDecimalSeparator() {
  return static_cast<char>(NodeDecimalSeparator());
}
