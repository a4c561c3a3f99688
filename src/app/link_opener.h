#pragma once

#include <string>

namespace somnara::app {

// The vendor's home page as the main window's menu opens it, and as the about window's link
// opens it (with the closing "/"); the support address of the e-mail links.
inline constexpr char kHomePageAddress[] = "http://somnara.example";
inline constexpr char kHomePageLink[] = "http://somnara.example/";
inline constexpr char kSupportAddress[] = "help@somnara.example";

// Opens a web address or a local document in the program the desktop associates with it:
// one request to the default opener and, only if that is refused, one more through the
// desktop's URL handler. Failures show nothing; what the openers show is theirs.
void OpenLink(const std::string& target);

// Starts a new e-mail to `address` in the user's e-mail program: one "mailto:" request to the
// default opener, whose answer is not looked at.
void OpenMailTo(const std::string& address);

}  // namespace somnara::app
