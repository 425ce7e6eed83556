#include "platform/profile_ini.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/profile_lock.h"
#include "platform/settings_file.h"
#include "platform/text_trim.h"

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
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += quote ? "\\\"" : "\"";
        break;
      default:
        out += c;
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
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        default:
          out += next;
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

// The value of `key`, unescaped; nothing when it is not there.
std::optional<std::string> Find(const std::vector<std::string>& lines, std::string_view section,
                                std::string_view key) {
  const Location at = Locate(lines, section, key);
  if (at.entry == std::string::npos) return std::nullopt;
  std::string_view line = lines[at.entry];
  return UnescapeValue(TrimBlanks(line.substr(line.find('=') + 1)));
}

// A stored number as wxConfig reads it.
int NumberOr(const std::optional<std::string>& value, int fallback) {
  if (!value) return fallback;
  int number = 0;
  const char* end = value->data() + value->size();
  auto [next, error] = std::from_chars(value->data(), end, number);
  if (next != end) return fallback;
  // Saturate rather than fall back: an out-of-range number must stay out of
  // range (the speed lists then show none), as wxConfig reads it.
  if (error == std::errc::result_out_of_range) return value->front() == '-' ? INT_MIN : INT_MAX;
  return error == std::errc() ? number : fallback;
}

// Sets `key` to `value` in the lines of a profile.
void Store(std::vector<std::string>& lines, std::string_view section, std::string_view key,
           std::string_view value) {
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
}

}  // namespace

IniProfile::IniProfile(std::filesystem::path file, SettingsProblemSink report)
    : file_(std::move(file)), report_(std::move(report)) {}

std::optional<std::vector<std::string>> IniProfile::ReadLines() const {
  const auto text = ReadSettingsFile(file_, report_);
  if (!text) return std::nullopt;
  std::vector<std::string> lines;
  for (const std::string_view line : SplitLines(*text)) lines.emplace_back(line);
  return lines;
}

std::string IniProfile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view fallback) {
  ProfileItem item{key, std::string(fallback)};
  ReadValues(section, {&item, 1});
  return std::get<std::string>(item.value);
}

int IniProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  ProfileItem item{key, fallback};
  ReadValues(section, {&item, 1});
  return std::get<int>(item.value);
}

void IniProfile::ReadValues(std::string_view section, std::span<ProfileItem> items) {
  // A save in progress is waited for: on Windows the file being replaced
  // cannot be opened for a moment, and every value would read as unset.
  const ProfileLock lock(file_);
  const auto lines = ReadLines();
  if (!lines) return;  // every item keeps its fallback
  for (ProfileItem& item : items) {
    auto value = Find(*lines, section, item.key);
    if (auto* text = std::get_if<std::string>(&item.value)) {
      if (value) *text = std::move(*value);
    } else {
      item.value = NumberOr(value, std::get<int>(item.value));
    }
  }
}

bool IniProfile::WriteString(std::string_view section, std::string_view key,
                             std::string_view value) {
  const ProfileItem item{key, std::string(value)};
  return WriteValues(section, {&item, 1});
}

bool IniProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  const ProfileItem item{key, value};
  return WriteValues(section, {&item, 1});
}

bool IniProfile::WriteValues(std::string_view section, std::span<const ProfileItem> items) {
  std::error_code ec;
  if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ec);
  if (ec) return false;
  // Read, change and write as one step against other programs saving.
  const ProfileLock lock(file_);
  auto lines = ReadLines();
  // A profile that cannot be read is not replaced: it may be something the
  // user put there on purpose, and every other value in it would be lost.
  if (!lines) return false;
  for (const ProfileItem& item : items) {
    const auto* text = std::get_if<std::string>(&item.value);
    Store(*lines, section, item.key, text ? *text : std::to_string(std::get<int>(item.value)));
  }
  std::string text;
  for (const auto& line : *lines) text += line + '\n';
  return ReplaceFileContents(file_, text);
}

}  // namespace vrx
