#include "config/data_file_format.h"

#include <cstdio>

namespace vrx {
namespace {

constexpr std::string_view kEol = "\r\n";

// Comment texts in code page 932, so that the file does not depend on the
// platform's converters.
constexpr std::string_view kIdentificationComment =
    "\x83t\x83@\x83"
    "C\x83\x8B\x8E\xAF\x95\xCA\x97p";  // ファイル識別用
constexpr std::string_view kOptionComment =
    "\x83I\x83v\x83V\x83\x87\x83\x93(\x8F\xE3\x88\xCA\x83o\x83"
    "C\x83g\x82\xA9\x82\xE7\x8Ai\x94[)";
// オプション(上位バイトから格納)
constexpr std::string_view kBrrComment =
    "BRR\x83\x8C\x83W\x83X\x83^\x82\xCC\x90\xDD\x92\xE8\x92l";  // BRRレジスタの設定値
constexpr std::string_view kPoComment = "PO\x82\xCC\x8F\x89\x8A\xFA\x92l";  // POの初期値
constexpr std::string_view kReservedComment = "\x97\x5C\x96\xF1";           // 予約

constexpr std::size_t kFirstReservedLine = 12;
constexpr std::size_t kReservedLine = 16;
constexpr std::size_t kCgramRowsPerChar = 8;

class DataFileText {
 public:
  void Hex(uint8_t value) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", value);
    text_ += digits;
  }
  // Values joined by commas; the caller ends the line.
  void HexRun(const uint8_t* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0) text_ += ',';
      Hex(values[i]);
    }
  }
  void Text(std::string_view text) { text_ += text; }
  void Line(std::string_view text = {}) {
    text_ += text;
    text_ += kEol;
  }
  void CommentLine(std::string_view comment) {
    Text(" //");
    Line(comment);
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

std::string FormatDataFile(const ConfigBlock& block) {
  DataFileText out;
  out.Text(kDataFileIdentification);
  out.CommentLine(kIdentificationComment);
  out.Line();

  out.HexRun(&block[0], 2);
  out.CommentLine(kOptionComment);
  out.Hex(block[2]);
  out.CommentLine(kBrrComment);
  out.Hex(block[3]);
  out.CommentLine(kPoComment);

  out.Line();
  out.Text("//");
  out.Line(kReservedComment);
  for (std::size_t pos = kReservedOffset; pos < kCgramOffset;) {
    const std::size_t count = pos == kReservedOffset ? kFirstReservedLine : kReservedLine;
    out.HexRun(&block[pos], count);
    out.Line();
    pos += count;
  }

  out.Line();
  out.Line("//CGRAM");
  for (std::size_t c = 0; c < kCgramBytes / kCgramRowsPerChar; ++c) {
    out.HexRun(&block[kCgramOffset + kCgramRowsPerChar * c], kCgramRowsPerChar);
    out.Text(" //");
    out.Hex(static_cast<uint8_t>(c));
    out.Line();
  }

  out.Line();
  out.Line("//KeyCode");
  for (int i = 0; i < kKeyCount; ++i) {
    const std::string keyName = "  //KEY" + std::to_string(i + 1);
    out.HexRun(&block[MakeRecordOffset(i)], kCodeRecordBytes);
    out.Line(keyName + " MakeCode");
    out.HexRun(&block[BreakRecordOffset(i)], kCodeRecordBytes);
    out.Line(keyName + " BreakCode");
  }
  return out.Take();
}

}  // namespace vrx
