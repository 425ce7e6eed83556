// What the two window programs print for --help, and vrxtool's pointer to
// the serial-port help, kept beside the programs' other texts.  Their manual pages (docs/man/)
// describe the same options.
#pragma once

#include <string>
#include <string_view>

namespace vrx {

std::string_view EditorUsage();
std::string_view WriterUsage();

// vrxtool's second line after a port-open failure: where the causes are
// explained.
std::string_view PortOpenHint();

// vrxtool given a command it does not have: the first line, then the list
// of commands, then the last line.
std::string UnknownCommand(std::string_view name);
std::string_view CommandListEnd();

}  // namespace vrx
