// A program's command line as UTF-8, the encoding every path and text inside
// the programs is in, whatever the platform hands to main().
#pragma once

#include <string>
#include <vector>

namespace vrx {

class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv);
  Utf8Arguments(const Utf8Arguments&) = delete;
  Utf8Arguments& operator=(const Utf8Arguments&) = delete;

  int argc() const { return static_cast<int>(strings_.size()); }
  const std::vector<std::string>& strings() const { return strings_; }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

}  // namespace vrx
