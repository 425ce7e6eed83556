#include "tools/vrxtool/image_source.h"

#include "config/data_file.h"
#include "platform/module_path.h"
#include "platform/utf8_path.h"
#include "resources/message_table.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/output_file.h"
#include "writer/firmware_container.h"
#include "writer/writer_message_map.h"

namespace vrxtool {

std::filesystem::path ContainerOrDefault(const std::string& container) {
  return container.empty() ? vrx::SiblingProgramPath("VRXWriter") : vrx::PathFromUtf8(container);
}

void AddContainerOption(CLI::App& sub, std::string& container) {
  sub.add_option("--container", container,
                 "Executable carrying the firmware payload (default: VRXWriter in the same "
                 "folder as vrxtool)");
}

vrx::FlashImage BuildFlashImage(const std::string& dataFile, const std::string& container) {
  vrx::FlashImage image{};
  if (const vrx::ContainerResult failure =
          vrx::ReadFirmwarePayload(ContainerOrDefault(container), image);
      failure != vrx::ContainerResult::kOk)
    throw CommandFailure(vrx::ContainerFailureText(static_cast<int>(failure)));
  if (const vrx::DataFileError error =
          vrx::LoadConfigIntoFlashImage(vrx::PathFromUtf8(dataFile), image);
      error != vrx::DataFileError::kNone)
    throw CommandFailure(vrx::WriterMessage(vrx::WriterMessageFor(error)));
  return image;
}

void WriteFlashFile(const std::string& path, const vrx::FlashImage& image) {
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  if (!WriteOutputFile(path, bytes)) throw CommandFailure(vrx::readback_text::CannotWrite(path));
}

}  // namespace vrxtool
