// The layout sheet as PNG and PDF pages, drawn with cairo.
#include <cairo-pdf.h>
#include <cairo.h>

#include <memory>
#include <string>

#include "editor/core/layout_sheet_pages.h"

namespace vrx::editor {
namespace {

// The programs' own font, which has the Japanese texts.
constexpr const char* kFontFace = "IPAPGothic";
// PNG pixels per point: about 144 dpi.
constexpr double kPngScale = 2.0;

struct Colour {
  double red, green, blue;
};

std::optional<Colour> FillOf(Shade shade) {
  switch (shade) {
    case Shade::kAssignedKey:
      return Colour{0.80, 0.88, 1.00};
    case Shade::kMatrixBlock:
      return Colour{1.00, 0.88, 0.88};
    case Shade::kDotOn:
      return Colour{0.05, 0.05, 0.05};
    case Shade::kDotOff:
      return Colour{0.92, 0.92, 0.92};
    case Shade::kNone:
      break;
  }
  return std::nullopt;
}

void Draw(cairo_t* cr, const LayoutSheet& sheet) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_line_width(cr, 0.5);
  for (const SheetBox& box : sheet.boxes) {
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    if (const std::optional<Colour> fill = FillOf(box.fill)) {
      cairo_set_source_rgb(cr, fill->red, fill->green, fill->blue);
      if (box.outline)
        cairo_fill_preserve(cr);
      else
        cairo_fill(cr);
    }
    if (box.outline) {
      cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
      cairo_stroke(cr);
    }
    cairo_new_path(cr);
  }
  cairo_select_font_face(cr, kFontFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (const SheetText& text : sheet.texts) {
    cairo_set_font_size(cr, text.size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.text.c_str(), &extents);
    double width = extents.x_advance;
    if (text.maxWidth > 0 && width > text.maxWidth) {
      cairo_set_font_size(cr, text.size * text.maxWidth / width);
      width = text.maxWidth;
    }
    cairo_move_to(cr, text.centred ? text.x - width / 2 : text.x, text.y);
    cairo_show_text(cr, text.text.c_str());
  }
}

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// cairo's stream writer: appends to the std::string it is given.
cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

SurfacePtr CreateSurface(const LayoutSheet& sheet, SheetFormat format, std::string& out) {
  if (format == SheetFormat::kPdf)
    return {cairo_pdf_surface_create_for_stream(Append, &out, sheet.width, sheet.height),
            cairo_surface_destroy};
  return {cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(sheet.width * kPngScale),
                                     static_cast<int>(sheet.height * kPngScale)),
          cairo_surface_destroy};
}

constexpr SheetFormat kPageFormats[] = {SheetFormat::kPng, SheetFormat::kPdf};

}  // namespace

std::span<const SheetFormat> PageFormats() { return kPageFormats; }

std::optional<std::string> DrawSheetPages(const LayoutSheet& sheet, SheetFormat format) {
  if (format != SheetFormat::kPng && format != SheetFormat::kPdf) return std::nullopt;
  std::string out;
  SurfacePtr surface = CreateSurface(sheet, format, out);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  cairo_t* cr = cairo_create(surface.get());
  if (format == SheetFormat::kPng) cairo_scale(cr, kPngScale, kPngScale);
  Draw(cr, sheet);
  bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_flush(surface.get());
  if (format == SheetFormat::kPng)
    drawn = drawn &&
            cairo_surface_write_to_png_stream(surface.get(), Append, &out) == CAIRO_STATUS_SUCCESS;
  // A PDF is complete only once the surface is finished.
  cairo_surface_finish(surface.get());
  if (!drawn || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  return out;
}

}  // namespace vrx::editor
