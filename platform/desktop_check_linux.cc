// Linux backend: X11 or Wayland from the environment and their sockets,
// fonts through fontconfig's fc-list.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/desktop_check.h"

namespace vrx {

DisplayCheck CheckDisplay() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland) return {true, std::string("wayland:") + wayland};
  const char* x = std::getenv("DISPLAY");
  if (!x || !*x) return {};
  const std::string name = x;
  // ":N" and ":N.S" are local: the server's socket must exist.  Remote
  // displays are taken on trust.
  if (name.front() != ':') return {true, name};
  const std::string number = name.substr(1, name.find('.') - 1);
  return {access(("/tmp/.X11-unix/X" + number).c_str(), F_OK) == 0, name};
}

bool JapaneseFontInstalled() {
  FILE* fonts = popen("fc-list :lang=ja family 2>/dev/null", "r");
  if (!fonts) return false;
  char line[256];
  const bool found = std::fgets(line, sizeof line, fonts) != nullptr;
  pclose(fonts);
  return found;
}

}  // namespace vrx
