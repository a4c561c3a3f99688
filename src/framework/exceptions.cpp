#include "framework/exceptions.h"

namespace somnara::fw {
namespace {
// Replaces each "%s" in turn; other characters pass unchanged, so a "%" in an argument
// can never be taken for a directive.
std::string Substitute(const char* pattern, std::initializer_list<const std::string*> args) {
  std::string out;
  auto next = args.begin();
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 's' && next != args.end()) {
      out += **next++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}
}  // namespace

std::string Format(const char* pattern, const std::string& a) {
  return Substitute(pattern, {&a});
}
std::string Format(const char* pattern, const std::string& a, const std::string& b) {
  return Substitute(pattern, {&a, &b});
}

}  // namespace somnara::fw
