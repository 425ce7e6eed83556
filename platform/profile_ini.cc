#include "profile_ini.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>

#include "settings_file.h"
#include "text_trim.h"

namespace vrx {
namespace {

// Names compare without regard to case, as wxFileConfig and the registry do.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// "[name]" gives name; anything else nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  line = TrimBlanks(line);
  return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// The key of a "key=value" line, nothing for other lines.
std::optional<std::string_view> EntryKey(std::string_view line) {
  if (IsComment(line) || SectionName(line)) return std::nullopt;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

// wxFileConfig's value escaping: backslash escapes, and quotes around a
// value with blanks at either end.
std::string EscapeValue(std::string_view value) {
  const bool quote = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                        value.back() == ' ' || value.back() == '\t');
  std::string out = quote ? "\"" : "";
  for (char c : value) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      case '"': out += quote ? "\\\"" : "\""; break;
      default: out += c;
    }
  }
  if (quote) out += '"';
  return out;
}

std::string UnescapeValue(std::string_view raw) {
  const bool quoted = !raw.empty() && raw.front() == '"';
  if (quoted) raw.remove_prefix(1);
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '\\' && i + 1 < raw.size()) {
      switch (char next = raw[++i]) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        default: out += next;
      }
    } else if (c == '"' && quoted) {
      break;
    } else {
      out += c;
    }
  }
  return out;
}

struct Location {
  std::size_t entry = std::string::npos;       // the key's line
  std::size_t sectionEnd = std::string::npos;  // after the section's last entry
};

Location Locate(const std::vector<std::string>& lines, std::string_view section,
                std::string_view key) {
  Location found;
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionName(lines[i])) {
      inSection = SameName(*name, section);
      if (inSection) found.sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    auto entryKey = EntryKey(lines[i]);
    if (!entryKey) continue;
    found.sectionEnd = i + 1;
    if (SameName(*entryKey, key)) found.entry = i;
  }
  return found;
}

}  // namespace

IniProfile::IniProfile(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::vector<std::string>> IniProfile::ReadLines() const {
  const auto text = ReadSettingsFile(file_);
  if (!text) return std::nullopt;
  std::vector<std::string> lines;
  std::string_view rest = *text;
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
  }
  return lines;
}

std::optional<std::string> IniProfile::Find(std::string_view section, std::string_view key) const {
  const auto lines = ReadLines();
  if (!lines) return std::nullopt;
  const Location at = Locate(*lines, section, key);
  if (at.entry == std::string::npos) return std::nullopt;
  std::string_view line = (*lines)[at.entry];
  return UnescapeValue(TrimBlanks(line.substr(line.find('=') + 1)));
}

std::string IniProfile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view fallback) {
  auto value = Find(section, key);
  return value ? *value : std::string(fallback);
}

int IniProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  auto value = Find(section, key);
  if (!value) return fallback;
  int number = 0;
  const char* end = value->data() + value->size();
  auto [next, error] = std::from_chars(value->data(), end, number);
  return error == std::errc() && next == end ? number : fallback;
}

bool IniProfile::WriteString(std::string_view section, std::string_view key,
                             std::string_view value) {
  auto read = ReadLines();
  // A profile that cannot be read is not replaced: it may be something the
  // user put there on purpose.
  if (!read) return false;
  auto& lines = *read;
  const std::string entry = std::string(key) + "=" + EscapeValue(value);
  const Location at = Locate(lines, section, key);
  if (at.entry != std::string::npos) {
    lines[at.entry] = entry;
  } else if (at.sectionEnd != std::string::npos) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at.sectionEnd), entry);
  } else {
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
  }

  std::error_code ec;
  if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ec);
  if (ec) return false;
  std::filesystem::path temp = file_;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) out << line << '\n';
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::filesystem::rename(temp, file_, ec);
  if (!ec) return true;
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  return false;
}

bool IniProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

}  // namespace vrx
