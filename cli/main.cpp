#include "cli/ConvertCommand.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
  try {
    return ConvertMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "morvelander-convert: " << e.what() << '\n';
    return 1;
  }
}
