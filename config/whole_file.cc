#include "config/whole_file.h"

#include "config/file_text_source.h"

namespace vrx {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  const auto source = FileTextSource::Open(path);
  if (!source) return std::nullopt;
  std::string contents;
  char buffer[65536];
  while (const std::size_t count = source->Read(buffer, sizeof buffer))
    contents.append(buffer, count);
  return contents;
}

}  // namespace vrx
