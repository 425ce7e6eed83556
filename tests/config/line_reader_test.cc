#include <gtest/gtest.h>

#include <vector>

#include "config/line_reader.h"

namespace vrx {
namespace {

std::vector<std::string> Pieces(const std::string& text) {
  MemoryTextSource source(text);
  LineReader reader(source);
  std::vector<std::string> pieces;
  for (std::string piece; reader.ReadPiece(piece);) pieces.push_back(piece);
  return pieces;
}

std::vector<std::string> SignificantLines(const std::string& text) {
  MemoryTextSource source(text);
  LineReader reader(source);
  std::vector<std::string> lines;
  for (std::string line = ReadSignificantLine(reader); !line.empty();
       line = ReadSignificantLine(reader)) {
    lines.push_back(line);
  }
  return lines;
}

TEST(LineReader, CutsLinesAsA256ByteBufferDoes) {
  const std::string a254(254, 'a');
  const std::string b255(255, 'b');
  EXPECT_EQ(Pieces(a254 + "\n"), std::vector<std::string>{a254 + "\n"});
  EXPECT_EQ(Pieces(b255 + "\n"), (std::vector<std::string>{b255, "\n"}));
  EXPECT_EQ(Pieces(b255 + "cc\nd"), (std::vector<std::string>{b255, "cc\n", "d"}));
  EXPECT_EQ(Pieces(std::string(600, 'e')),
            (std::vector<std::string>{std::string(255, 'e'), std::string(255, 'e'),
                                      std::string(90, 'e')}));
  EXPECT_EQ(Pieces(""), std::vector<std::string>{});
  // Pieces cross the reader's own 4096-byte blocks unharmed.
  std::string many;
  for (int i = 0; i < 1000; ++i) many += std::to_string(i) + "\n";
  std::string joined;
  for (const auto& piece : Pieces(many)) joined += piece;
  EXPECT_EQ(joined, many);
}

TEST(LineReader, SkipsLinesWithoutData) {
  EXPECT_EQ(SignificantLines("\n \t\r\n// note\n   /x\n  12 // c\r\n\v\f\n34"),
            (std::vector<std::string>{"12 // c\r\n", "34"}));
  // A NUL ends the line's text; a line that is then empty is skipped.
  EXPECT_EQ(SignificantLines(std::string("\0AB\n CD\0EF\n", 11)), (std::vector<std::string>{"CD"}));
  // The rest of an over-long line is a line of its own: here a comment
  // mark in mid-line hides "/x", and "12" is cut in two.
  EXPECT_EQ(SignificantLines(std::string(255, ' ') + "/x\n" + std::string(254, ' ') + "12"),
            (std::vector<std::string>{"1", "2"}));
}

}  // namespace
}  // namespace vrx
