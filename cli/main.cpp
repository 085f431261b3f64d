#include "cli/ConvertCommand.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
  int status = 1;
  try {
    status = ConvertMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "morvelander-convert: " << e.what() << '\n';
  }
  // Every report is written and closed by now; the system takes the memory back at once.
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(status);
}
