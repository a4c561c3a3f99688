#pragma once

#include <string>

namespace somnara::fw {

// The framework's file error texts, built here because the graphics library sits below the
// framework library that holds fw::Format; the wording is the same:
// "Cannot open file \"<path>\". <reason>" and friends. reason_errno is an errno value.
[[noreturn]] void ThrowCannotOpen(const std::string& path, int reason_errno);
[[noreturn]] void ThrowCannotCreate(const std::string& path, int reason_errno);
[[noreturn]] void ThrowCannotWrite(const std::string& path, int reason_errno);

}  // namespace somnara::fw
