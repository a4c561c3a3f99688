#include <cstdio>

int main() {
  std::fprintf(stderr, "somnara: the desktop backend is not built yet\n");
  return 1;
}
