// Texts inside documents, libraries and JCL files are Windows-1252 bytes; the
// user interface, the log and the command line speak UTF-8. Conversion happens
// only at those boundaries.
#pragma once

#include <string>
#include <string_view>

namespace plexo {

std::string cp1252ToUtf8(std::string_view cp1252);

// Characters that Windows-1252 cannot hold become '?'. Invalid UTF-8 bytes are
// taken as Latin-1, so that no input is lost silently.
std::string utf8ToCp1252(std::string_view utf8);

} // namespace plexo
