// The registry routines of both deliverables. None of them reports an error:
// a missing text reads as "0", a missing integer as 0, and a write that
// cannot open or create its key leaves the registry as it was. Every text is
// stored as exactly 200 bytes (the text, then zeros), so every reader can
// take at most 199 characters and always finds the terminating zero.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tarvok {

// The text of the value, up to its first zero byte; "0" when the key or the
// value cannot be read, or when the value holds more than 200 bytes.
std::string ReadRegString(HKEY root, const char* subkey, const char* valueName);

// Writes `text` as a 200-byte REG_SZ value, creating the key when needed.
// A text of 200 characters or more does not fit the field: it is refused
// (nothing written, false returned) rather than silently cut.
bool WriteRegString(HKEY root, const char* subkey, const char* valueName, const std::string& text);

// The value's 4 data bytes as a little-endian signed integer; 0 when missing,
// unreadable or longer than 4 bytes.
std::int32_t ReadRegInteger(HKEY root, const char* subkey, const char* valueName);

// Whether a value with at most 4 bytes of data could be read.
bool RegValueExists(HKEY root, const char* subkey, const char* valueName);

void WriteRegInteger(HKEY root, const char* subkey, const char* valueName, std::int32_t value);

// Deletes the value; a missing key or value is not an error.
void DeleteRegValue(HKEY root, const char* subkey, const char* valueName);

}  // namespace tarvok
