// The language of the programs' texts.  Every text is written in Japanese,
// the programs' own language, and that Japanese is the key under which the
// program's catalog holds its translation.  The catalog is chosen once, at
// start, before any window or session exists, and stays until exit; with
// none every text is the Japanese source.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vrx {

class MessageCatalog;

// Makes `catalog` the program's language (nullptr: the Japanese sources).
// The caller keeps it alive while texts are in use.
void SetProgramCatalog(const MessageCatalog* catalog);

// Whether a catalog is in use (the program speaks another language than
// Japanese).
bool ProgramIsTranslated();

// The text in the program's language.  The result lives as long as the
// catalog does; `source` must be a literal (the checks extract it).
std::string_view Tr(std::string_view source);

// Tr, then "{0}", "{1}", ... replaced by `arguments`: a whole sentence is
// one text, so that a language can order its parts as it needs.
std::string TrFormat(std::string_view source, std::initializer_list<std::string_view> arguments);

// Marks a literal as a text for the extraction where it is kept in a table
// and passed to Tr later.
constexpr std::string_view TrLater(std::string_view source) { return source; }

}  // namespace vrx
