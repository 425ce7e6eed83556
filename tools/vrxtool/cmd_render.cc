// vrxtool render: draws a data file's layout sheet (key matrix, options,
// characters) to an SVG, PNG or PDF file.
#include <filesystem>
#include <string>

#include "command.h"
#include "config_image.h"
#include "data_file.h"
#include "editor_texts.h"
#include "layout_sheet.h"
#include "layout_sheet_render.h"
#include "message_table.h"

namespace vrxtool {
namespace {

std::function<int()> SetupRender(CLI::App& app) {
  auto* sub = app.add_subcommand(
      "render", "Draw a data file's layout sheet (keys, options, characters) on one page");
  auto input = std::make_shared<std::string>();
  auto output = std::make_shared<std::string>();
  sub->add_option("FILE.vrx", *input, "Data file to draw")->required();
  sub->add_option("OUT", *output, "Picture to write: OUT.svg, OUT.png or OUT.pdf")
      ->required()
      ->check([](const std::string& path) -> std::string {
        return vrx::editor::SheetFormatForPath(path) ? std::string()
                                                     : "OUT must end in .svg, .png or .pdf";
      });
  sub->footer("Example:\n  vrxtool render keyboard.vrx keyboard.pdf");
  return [input, output] {
    vrx::ConfigImage image;
    if (const int message = vrx::ReadDataFile(*input, image); message != 0) {
      PrintError(vrx::EditorMessage(message));
      return kExitFailure;
    }
    const std::filesystem::path path(*output);
    const auto sheet =
        vrx::editor::LayOutSheet(image, std::filesystem::path(*input).filename().string());
    if (!vrx::editor::RenderLayoutSheet(sheet, *vrx::editor::SheetFormatForPath(path), path)) {
      PrintError(vrx::editor_text::LayoutSaveFailed());
      return kExitFailure;
    }
    return kExitOk;
  };
}

const bool registered = RegisterCommand(25, SetupRender);

}  // namespace
}  // namespace vrxtool
