// Writes the built resource table as C++ source: the bytes of every resource
// as string literals (quick to compile), the table MirelinkResources() and
// the picture catalogue MirelinkPictureCatalogue().
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "tools/resgen/resource_builder.h"

namespace resgen {

// `bytes` as the body of a C++ string literal: printable characters as
// themselves, everything else as three-digit octal escapes (which can never
// swallow the character that follows).
std::string EscapedLiteralBody(std::span<const std::uint8_t> bytes);

void WriteResourceSource(std::ostream& out, const BuiltTable& table, const std::string& scriptName);

}  // namespace resgen
