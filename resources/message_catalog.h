// One language's texts as a compiled gettext catalog (.mo) holds them: the
// Japanese source text of each message and its translation.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrx {

class MessageCatalog {
 public:
  // Larger catalogs are refused unread; ours is a few tens of kilobytes.
  static constexpr std::size_t kMaxBytes = 1 << 20;

  // Nothing when `bytes` is not a well-formed catalog of at most kMaxBytes.
  static std::optional<MessageCatalog> Parse(std::string bytes);

  // The translation of `source`; nothing when the catalog has none (or only
  // an empty one, which gettext also treats as untranslated).
  std::optional<std::string_view> Find(std::string_view source) const;
  std::size_t size() const { return entries_.size(); }

  // Views point into the bytes, which stay where they are when the catalog
  // moves.
  MessageCatalog(MessageCatalog&&) noexcept = default;
  MessageCatalog& operator=(MessageCatalog&&) noexcept = default;
  MessageCatalog(const MessageCatalog&) = delete;
  MessageCatalog& operator=(const MessageCatalog&) = delete;

 private:
  struct Entry {
    std::string_view source;
    std::string_view translation;
  };
  MessageCatalog() = default;

  std::unique_ptr<const std::string> bytes_;
  std::vector<Entry> entries_;  // sorted by source
};

}  // namespace vrx
