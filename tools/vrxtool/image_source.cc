#include "image_source.h"

#include "command.h"
#include "data_file.h"
#include "firmware_container.h"
#include "message_table.h"
#include "module_path.h"
#include "output_file.h"
#include "readback_texts.h"

namespace vrxtool {

std::filesystem::path ContainerOrDefault(const std::string& container) {
  return container.empty() ? vrx::SiblingProgramPath("VRXWriter") : std::filesystem::path(container);
}

void AddContainerOption(CLI::App& sub, std::string& container) {
  sub.add_option("--container", container,
                 "Executable carrying the firmware payload (default: VRXWriter in the same "
                 "folder as vrxtool)");
}

std::string BuildFlashImage(const std::string& dataFile, const std::string& container,
                            vrx::FlashImage& image) {
  if (const int failure = vrx::ReadFirmwarePayload(ContainerOrDefault(container), image);
      failure != vrx::kContainerOk)
    return std::string(vrx::ContainerFailureText(failure));
  if (const int message = vrx::LoadConfigIntoFlashImage(dataFile, image); message != 0)
    return std::string(vrx::WriterMessage(message));
  return {};
}

bool WriteFlashFile(const std::string& path, const vrx::FlashImage& image) {
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  if (WriteOutputFile(path, bytes)) return true;
  PrintError(vrx::readback_text::CannotWrite(path));
  return false;
}

}  // namespace vrxtool
