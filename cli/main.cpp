#include "cli/ConvertCommand.h"
#include "core/text/Teksten.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <sys/stat.h>

// The WebAssembly runtime keeps a umask of its own that would leave new reports without any
// permission; under node the process's umask is the user's.
EM_JS(int, NodeUmask, (), { return process.umask(); });
#endif

int main(int argc, char* argv[]) {
#ifdef __EMSCRIPTEN__
  ::umask(static_cast<mode_t>(NodeUmask()));
#endif
  int status = 1;
  try {
    status = ConvertMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "morvelander-convert: " << Tekst::OpdrachtAfgebroken << ' ' << e.what() << '\n';
  }
  // Every report is written and closed by now; the system takes the memory back at once.
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(status);
}
