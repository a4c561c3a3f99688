#pragma once

#include <stdexcept>
#include <string>

namespace somnara::fw {

// An error raised inside an event handler. The message loop catches it, shows its text
// in the application's standard error box, and goes on.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that is not a whole number: "'%s' is not a valid integer value".
class ConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be opened, read or written.
class FileError : public Exception {
 public:
  using Exception::Exception;
};

// printf-style formatting for the framework's fixed messages ("Cannot open file \"%s\". %s").
std::string Format(const char* pattern, const std::string& a);
std::string Format(const char* pattern, const std::string& a, const std::string& b);

}  // namespace somnara::fw
