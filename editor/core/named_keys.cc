#include "editor/core/named_keys.h"

#include <algorithm>
#include <cctype>

#include "config/code_text.h"
#include "resources/translation.h"

namespace vrx::editor {
namespace {

std::string UsualBreakCode(const std::string& make) {
  return make.size() == 2 ? "F0," + make : "E0,F0," + make.substr(3);
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

const std::vector<NamedKey>& NamedKeys() {
  static const std::vector<NamedKey> keys = [] {
    std::vector<NamedKey> list;
    for (const NamedKeyRow& row : NamedKeyRows()) {
      const std::string make = row.make;
      list.push_back({std::string(Tr(row.name)), make,
                      row.breakCode ? row.breakCode : UsualBreakCode(make), row.typematic,
                      row.group});
    }
    return list;
  }();
  return keys;
}

std::vector<const NamedKey*> FindNamedKeys(std::string_view query) {
  const std::string wanted = Folded(Trimmed(query));
  std::vector<const NamedKey*> found;
  for (const NamedKey& key : NamedKeys()) {
    if (Folded(key.name).find(wanted) != std::string::npos ||
        Folded(key.makeCode).find(wanted) != std::string::npos)
      found.push_back(&key);
  }
  return found;
}

const NamedKey* NamedKeyForMakeCode(const std::string& makeCode) {
  const std::vector<uint8_t> make = CodeTextBytes(makeCode);
  if (make.empty()) return nullptr;
  for (const NamedKey& key : NamedKeys())
    if (CodeTextBytes(key.makeCode) == make) return &key;
  return nullptr;
}

}  // namespace vrx::editor
