// The narrow argv of a Windows program is in the ANSI code page, which
// cannot hold every file name; the wide command line can.
#include <windows.h>
// windows.h first: shellapi.h relies on its types.
#include <shellapi.h>

#include "platform/program_arguments.h"
#include "platform/wide_text_win32.h"

namespace vrx {

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    for (int i = 0; i < count; ++i) strings_.push_back(NarrowToUtf8(wide[i]));
    LocalFree(wide);
  } else {
    strings_.assign(argv, argv + argc);
  }
  for (auto& text : strings_) pointers_.push_back(text.data());
  pointers_.push_back(nullptr);
}

}  // namespace vrx
