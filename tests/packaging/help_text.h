// Reading the programs' --help output: the sections CLI11 prints
// ("Options:", "Subcommands:") and the option names in them; finding the
// system tools the checks run; reading files.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vrx::test {

// The first word of each indented line under the heading "<section>:".
inline std::vector<std::string> HelpSectionWords(const std::string& help,
                                                 const std::string& section) {
  std::vector<std::string> words;
  std::istringstream lines(help);
  bool inside = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != ' ') {
      inside = line == section + ":";
    } else if (inside && line.find_first_not_of(' ') != std::string::npos) {
      std::istringstream(line) >> words.emplace_back();
    }
  }
  return words;
}

// Every long option ("--port") the text mentions.
inline std::set<std::string> LongOptions(const std::string& text) {
  static const std::regex option("--[a-z][a-z0-9-]*");
  std::set<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
    found.insert(it->str());
  return found;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The full path of a program found on PATH, or "" (the test's child
// processes are started without a PATH search).
inline std::string SystemProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(dir) / name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

}  // namespace vrx::test
