#pragma once

#include <string>
#include <string_view>

namespace somnara::platform {

// The program's text is UTF-8; the system's own calls take UTF-16. Bytes that are not UTF-8
// become U+FFFD on the way in, lone surrogates U+FFFD on the way out.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The system's wording of an error code, without the line break it ends in; empty when the
// system has none.
std::string SystemErrorText(unsigned long code);

// The errno value closest to a system error code, for interfaces that speak in errno values.
int ErrnoFromSystemError(unsigned long code);

}  // namespace somnara::platform
