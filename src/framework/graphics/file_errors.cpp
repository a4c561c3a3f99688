#include "framework/graphics/file_errors.h"

#include <cstring>

#include "framework/exceptions.h"

namespace somnara::fw {
namespace {
// Plain concatenation so that a "%" in a path is never taken for a directive.
[[noreturn]] void Throw(const char* what, const std::string& path, int reason_errno) {
  throw FileError(std::string(what) + " \"" + path + "\". " + std::strerror(reason_errno));
}
}  // namespace

void ThrowCannotOpen(const std::string& path, int e) {
  Throw("Cannot open file", path, e);
}
void ThrowCannotCreate(const std::string& path, int e) {
  Throw("Cannot create file", path, e);
}
void ThrowCannotWrite(const std::string& path, int e) {
  Throw("Cannot write file", path, e);
}

}  // namespace somnara::fw
