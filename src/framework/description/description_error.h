#pragma once

#include <string>

#include "framework/description/description_tree.h"
#include "framework/exceptions.h"

namespace somnara::fw {

// A description that cannot be read or applied. The message is complete on its own; the
// source name and position are kept apart for tools that point an editor at the place.
class DescriptionError : public Exception {
 public:
  DescriptionError(const std::string& message, std::string source, SourcePosition position)
      : Exception(message), source_(std::move(source)), position_(position) {}

  const std::string& Source() const { return source_; }
  int Line() const { return position_.line; }
  int Column() const { return position_.column; }

 private:
  std::string source_;
  SourcePosition position_;
};

}  // namespace somnara::fw
