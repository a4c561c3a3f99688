#pragma once

#include <stdexcept>

namespace somnara::skin {

// A skin file or one of its parts that cannot be read. Raised inside the reader and caught
// by whoever loads a theme: a theme that fails to load is simply not ready.
class SkinFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace somnara::skin
