#include "generator.h"

#include <cstdio>

namespace resgen {

std::vector<std::pair<std::string, Generator>>& Generators() {
  static std::vector<std::pair<std::string, Generator>> all;
  return all;
}

Registration::Registration(const char* name, Generator generator) {
  Generators().emplace_back(name, std::move(generator));
}

}  // namespace resgen

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: somnara_resgen OUTPUT_DIR\n");
    return 2;
  }
  for (auto& [name, generate] : resgen::Generators()) {
    if (!generate(argv[1])) {
      std::fprintf(stderr, "somnara_resgen: %s failed\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
