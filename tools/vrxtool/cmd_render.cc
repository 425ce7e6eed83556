// vrxtool render: draws a data file's layout sheet (key matrix, options,
// characters) to an SVG, PNG or PDF file.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "config/config_image.h"
#include "editor/core/layout_sheet.h"
#include "editor/core/layout_sheet_render.h"
#include "platform/utf8_path.h"
#include "resources/editor_texts.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"
#include "tools/vrxtool/output_file.h"

namespace vrxtool {
namespace {

// The formats this build writes, as "OUT.svg, OUT.png or OUT.pdf".
std::string WritableNames(std::string_view prefix) {
  const auto formats = vrx::editor::WritableSheetFormats();
  std::string names;
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (i > 0) names += i + 1 == formats.size() ? " or " : ", ";
    names += std::string(prefix) + std::string(vrx::editor::SheetFormatExtension(formats[i]));
  }
  return names;
}

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
    sub.add_option("OUT", output_, "Picture to write: " + WritableNames("OUT."))
        ->required()
        ->check([](const std::string& path) -> std::string {
          const auto format = vrx::editor::SheetFormatForPath(vrx::PathFromUtf8(path));
          return format && vrx::editor::IsWritableSheetFormat(*format)
                     ? std::string()
                     : "OUT must end in " + WritableNames(".");
        });
  }
  int Execute() override {
    const vrx::ConfigImage image = LoadDataFile(input_);
    const auto sheet =
        vrx::editor::LayOutSheet(image, vrx::Utf8FromPath(vrx::PathFromUtf8(input_).filename()));
    const auto drawn = vrx::editor::DrawLayoutSheet(
        sheet, *vrx::editor::SheetFormatForPath(vrx::PathFromUtf8(output_)));
    // Saved as every other output is: the old file stays unless the new one is whole.
    if (!drawn || !WriteOutputFile(output_, *drawn))
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
