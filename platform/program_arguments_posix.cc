#include "platform/program_arguments.h"

namespace vrx {

// The bytes given are the names the system uses: taken as they are.
Utf8Arguments::Utf8Arguments(int argc, char** argv) : strings_(argv, argv + argc) {
  for (auto& text : strings_) pointers_.push_back(text.data());
  pointers_.push_back(nullptr);
}

}  // namespace vrx
