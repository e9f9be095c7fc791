#pragma once
// The only access to the settings file: one value read or written per call, nothing cached.
// Every call opens and closes the file, so a change made by one window is what the next read
// sees.

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvel::settings {

// The value of `key` in `section` of the file at `path`, cut to 254 characters; "" when the
// file, the section or the key does not exist or the file cannot be read.
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::filesystem::path& path);

// Stores `value` under `key` in `section`, creating the file, section and key as needed and
// keeping every other line. The file is replaced as a whole only once the new text is safely
// written, so a full disk or a crash never leaves it half-written. Returns false when the file
// could not be written (the callers carry on silently; the next run sees the old file).
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& path);

}  // namespace tarvel::settings
