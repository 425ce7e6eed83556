#include <iconv.h>

#include <cerrno>
#include <cstddef>

#include "platform/sjis.h"

namespace vrx {
namespace {

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (ok()) iconv_close(handle_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

// Converts as much as it can; returns false at the first input byte that
// cannot be converted, leaving `consumed` at that byte.
bool ConvertRun(iconv_t cd, std::string_view in, std::size_t& consumed, std::string& out) {
  char* inPtr = const_cast<char*>(in.data() + consumed);
  std::size_t inLeft = in.size() - consumed;
  while (inLeft > 0) {
    char buffer[256];
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    consumed = in.size() - inLeft;
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  IconvHandle cd("CP932", "UTF-8");
  if (!cd.ok()) return std::nullopt;
  std::string out;
  std::size_t consumed = 0;
  if (!ConvertRun(cd.get(), utf8, consumed, out)) return std::nullopt;
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  IconvHandle cd("UTF-8", "CP932");
  std::string out;
  if (!cd.ok()) return out;
  std::size_t consumed = 0;
  while (!ConvertRun(cd.get(), cp932, consumed, out)) {
    out += "\xEF\xBF\xBD";
    ++consumed;
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);  // reset shift state
  }
  return out;
}

}  // namespace vrx
