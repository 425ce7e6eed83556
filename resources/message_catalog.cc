#include "resources/message_catalog.h"

#include <algorithm>
#include <cstdint>

namespace vrx {
namespace {

constexpr uint32_t kMagic = 0x950412DE;
constexpr uint32_t kSwappedMagic = 0xDE120495;
constexpr std::size_t kHeaderBytes = 28;

class Reader {
 public:
  Reader(std::string_view bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}

  std::optional<uint32_t> Word(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 4) return std::nullopt;
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const auto byte = static_cast<uint8_t>(bytes_[offset + (bigEndian_ ? i : 3 - i)]);
      value = value << 8 | byte;
    }
    return value;
  }

  // The string the table entry at `offset` describes; the format ends each
  // one with a NUL that its length does not count.
  std::optional<std::string_view> String(std::size_t offset) const {
    const auto length = Word(offset);
    const auto start = Word(offset + 4);
    if (!length || !start || *start > bytes_.size() || bytes_.size() - *start <= *length)
      return std::nullopt;
    if (bytes_[*start + *length] != '\0') return std::nullopt;
    return bytes_.substr(*start, *length);
  }

 private:
  std::string_view bytes_;
  bool bigEndian_;
};

// A plural entry holds its forms separated by NULs; the first one serves.
std::string_view FirstForm(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

std::optional<MessageCatalog> MessageCatalog::Parse(std::string bytes) {
  if (bytes.size() < kHeaderBytes || bytes.size() > kMaxBytes) return std::nullopt;
  const auto magic = Reader(bytes, false).Word(0);
  if (magic != kMagic && magic != kSwappedMagic) return std::nullopt;

  MessageCatalog catalog;
  catalog.bytes_ = std::make_unique<const std::string>(std::move(bytes));
  const std::string_view all = *catalog.bytes_;
  const Reader reader(all, magic == kSwappedMagic);
  const auto revision = reader.Word(4);
  const auto count = reader.Word(8);
  const auto sources = reader.Word(12);
  const auto translations = reader.Word(16);
  if (!revision || (*revision >> 16) != 0 || !count || !sources || !translations)
    return std::nullopt;
  // Each entry takes 8 bytes in both tables: a count beyond the file is a lie.
  if (*count > all.size() / 8) return std::nullopt;

  catalog.entries_.reserve(*count);
  for (std::size_t i = 0; i < *count; ++i) {
    const auto source = reader.String(std::size_t{*sources} + i * 8);
    const auto translation = reader.String(std::size_t{*translations} + i * 8);
    if (!source || !translation) return std::nullopt;
    // The header (empty source) and untranslated entries give no text.
    if (source->empty() || translation->empty()) continue;
    // A source with a context ("ctx\x04text") is never asked for.
    if (source->find('\x04') != std::string_view::npos) continue;
    catalog.entries_.push_back({FirstForm(*source), FirstForm(*translation)});
  }
  std::sort(catalog.entries_.begin(), catalog.entries_.end(),
            [](const Entry& a, const Entry& b) { return a.source < b.source; });
  return catalog;
}

std::optional<std::string_view> MessageCatalog::Find(std::string_view source) const {
  const auto found =
      std::lower_bound(entries_.begin(), entries_.end(), source,
                       [](const Entry& entry, std::string_view key) { return entry.source < key; });
  if (found == entries_.end() || found->source != source) return std::nullopt;
  return found->translation;
}

}  // namespace vrx
