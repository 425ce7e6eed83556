// The PC keyboard's keys by name with their scan code set 2 make and break
// codes: every key the capture table gives, plus the keys that cannot be
// captured (the desktop keeps them, or the capture table has no code for
// them).  The one source of key names for the key list, the matrix tooltip,
// the layout sheet and `vrxtool show`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/named_key_table.h"

namespace vrx::editor {

using vrx::KeyGroup;
using vrx::KeyGroupName;

struct NamedKey {
  std::string name;       // UTF-8, as the lists show it
  std::string makeCode;   // canonical code text: "E0,75"
  std::string breakCode;  // "" for a key without a break code
  bool typematic = true;
  KeyGroup group = KeyGroup::kTyping;
};

// Every named key (resources/named_key_table.h), names in the program's
// language.
const std::vector<NamedKey>& NamedKeys();

// The key list's search: keys whose name or make code contains `query`,
// case folded for ASCII; blanks around the query are ignored.  All keys
// for an empty query.
std::vector<const NamedKey*> FindNamedKeys(std::string_view query);

// The first named key whose make code equals `makeCode` byte for byte
// (any valid spelling: "e0,75", "0xE0,075"); nullptr when there is none.
const NamedKey* NamedKeyForMakeCode(const std::string& makeCode);

}  // namespace vrx::editor
