// The layout sheet as SVG written by hand: texts stay text (searchable,
// selectable, editable in a drawing program), on every platform.
#include <cstdio>
#include <string>

#include "editor/core/layout_sheet_pages.h"

namespace vrx::editor {
namespace {

const char* FillOf(Shade shade) {
  switch (shade) {
    case Shade::kAssignedKey:
      return "#cce0ff";
    case Shade::kMatrixBlock:
      return "#ffe0e0";
    case Shade::kDotOn:
      return "#0d0d0d";
    case Shade::kDotOff:
      return "#ebebeb";
    case Shade::kNone:
      break;
  }
  return "none";
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

std::string SheetSvg(const LayoutSheet& sheet) {
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      Number(sheet.width) + "pt\" height=\"" + Number(sheet.height) + "pt\" viewBox=\"0 0 " +
      Number(sheet.width) + " " + Number(sheet.height) +
      "\">\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  for (const SheetBox& box : sheet.boxes) {
    svg += "<rect x=\"" + Number(box.x) + "\" y=\"" + Number(box.y) + "\" width=\"" +
           Number(box.width) + "\" height=\"" + Number(box.height) + "\" fill=\"" +
           FillOf(box.fill) + "\"" +
           (box.outline ? " stroke=\"#4d4d4d\" stroke-width=\"0.5\"" : "") + "/>\n";
  }
  for (const SheetText& text : sheet.texts) {
    svg += "<text x=\"" + Number(text.x) + "\" y=\"" + Number(text.y) +
           "\" font-family=\"IPAPGothic, MS PGothic, sans-serif\" font-size=\"" +
           Number(text.size) + "\"" + (text.centred ? " text-anchor=\"middle\"" : "") + ">" +
           Escaped(text.text) + "</text>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace vrx::editor
