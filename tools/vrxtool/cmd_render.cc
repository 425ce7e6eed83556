// vrxtool render: draws a data file's layout sheet (key matrix, options,
// characters) to an SVG, PNG or PDF file.
#include <filesystem>
#include <memory>
#include <string>

#include "config/config_image.h"
#include "config/data_file.h"
#include "editor/core/editor_message_map.h"
#include "editor/core/layout_sheet.h"
#include "editor/core/layout_sheet_render.h"
#include "resources/editor_texts.h"
#include "resources/message_table.h"
#include "tools/vrxtool/command.h"

namespace vrxtool {
namespace {

class RenderCommand final : public Command {
 public:
  std::string Name() const override { return "render"; }
  std::string Summary() const override {
    return "Draw a data file's layout sheet (keys, options, characters) on one page";
  }
  std::string Footer() const override {
    return "Example:\n  vrxtool render keyboard.vrx keyboard.pdf";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("FILE.vrx", input_, "Data file to draw")->required();
    sub.add_option("OUT", output_, "Picture to write: OUT.svg, OUT.png or OUT.pdf")
        ->required()
        ->check([](const std::string& path) -> std::string {
          return vrx::editor::SheetFormatForPath(path) ? std::string()
                                                       : "OUT must end in .svg, .png or .pdf";
        });
  }
  int Execute() override {
    vrx::ConfigImage image;
    if (const vrx::DataFileError error = vrx::ReadDataFile(input_, image);
        error != vrx::DataFileError::kNone)
      throw CommandFailure(vrx::EditorMessage(vrx::EditorMessageFor(error)));
    const std::filesystem::path path(output_);
    const auto sheet =
        vrx::editor::LayOutSheet(image, std::filesystem::path(input_).filename().string());
    if (!vrx::editor::RenderLayoutSheet(sheet, *vrx::editor::SheetFormatForPath(path), path))
      throw CommandFailure(vrx::editor_text::LayoutSaveFailed());
    return kExitOk;
  }

 private:
  std::string input_;
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeRenderCommand() { return std::make_unique<RenderCommand>(); }

}  // namespace vrxtool
