#include "core/text/DecimalSeparator.h"

#include <emscripten.h>

// The WebAssembly runtime knows only the C locale. The separator is the one the system's C
// library gives for the numeric locale of the process's environment, as for the native
// converter: node asks the system's `locale` command, which reads the same environment, so a
// locale that is not installed gives "." in both. Without that command it is ".".
// clang-format off
EM_JS(int, NodeDecimalSeparator, (), {
  // The numeric locale's name by the C library's order; it alone is asked for, so that a
  // missing locale of another category does not count.
  const env = Object.assign({}, process.env);
  const name = env.LC_ALL || env.LC_NUMERIC || env.LANG || "C";
  env.LC_ALL = name;
  try {
    const out = require("child_process").execFileSync("locale", ["decimal_point"], {
      encoding: "latin1", stdio: ["ignore", "pipe", "ignore"], env: env
    });
    const sep = out.endsWith("\n") ? out.slice(0, -1) : out;
    return sep.length === 1 ? sep.charCodeAt(0) : 0;
  } catch (e) {
    return 46;
  }
});
// clang-format on

char LocaleDecimalSeparator() {
  const char sep = static_cast<char>(NodeDecimalSeparator());
  return DecimalSeparatorFrom(std::string_view(&sep, 1)).value_or('.');
}
