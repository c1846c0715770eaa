// Whole files and standard streams as text, through the C library: the program's
// only file access (profiles) and its output.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace cli {

// At most limit + 1 bytes of a file (so that a caller sees it is too long), or nothing
// when it cannot be opened or read.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t limit);
// At most limit + 1 bytes of an open stream, or nothing when reading fails.
std::optional<std::string> ReadStream(std::FILE* stream, std::size_t limit);
// Writes the whole text, replacing the file; false when any step fails.
bool WriteTextFile(const std::string& path, const std::string& text);
// Writes the text to an open stream and flushes it.
void WriteStream(std::FILE* stream, const std::string& text);

}  // namespace cli
