#include "resources/translation.h"

#include <atomic>

#include "resources/message_catalog.h"

namespace vrx {
namespace {

std::atomic<const MessageCatalog*> programCatalog{nullptr};

}  // namespace

void SetProgramCatalog(const MessageCatalog* catalog) { programCatalog.store(catalog); }

bool ProgramIsTranslated() { return programCatalog.load() != nullptr; }

std::string_view Tr(std::string_view source) {
  const MessageCatalog* catalog = programCatalog.load();
  if (catalog == nullptr) return source;
  return catalog->Find(source).value_or(source);
}

std::string TrFormat(std::string_view source, std::initializer_list<std::string_view> arguments) {
  const std::string_view pattern = Tr(source);
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    // "{N}" with N one of the arguments; any other brace is text.
    const bool placeholder = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                             pattern[i + 1] >= '0' &&
                             pattern[i + 1] - '0' < static_cast<int>(arguments.size());
    if (placeholder) {
      text += arguments.begin()[pattern[i + 1] - '0'];
      i += 2;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace vrx
