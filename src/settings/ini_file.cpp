#include "settings/ini_file.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "settings/ini_text.h"

namespace tarvel::settings {
namespace {

// A settings file is a few hundred bytes; anything far larger is not one of ours and is not
// read into memory.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

// The whole file, "" when it does not exist, nothing when it cannot be used.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return ec ? std::nullopt : std::optional<std::string>("");
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxFileSize) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace

std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::filesystem::path& path) {
  const auto text = ReadWholeFile(path);
  return text ? IniTextValue(*text, section, key) : std::string();
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& path) {
  const auto text = ReadWholeFile(path);
  if (!text) return false;
#ifdef _WIN32
  constexpr std::string_view kEol = "\r\n";
#else
  constexpr std::string_view kEol = "\n";
#endif
  const std::string updated = IniTextWithValue(*text, section, key, value, kEol);

  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(updated.data(), static_cast<std::streamsize>(updated.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace tarvel::settings
