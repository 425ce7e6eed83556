#include "write_sequence.h"

#include "data_file.h"
#include "firmware_container.h"
#include "port_settings.h"
#include "program_device.h"

namespace vrx {
namespace {

// The file's title as the load line shows it: the name without its
// directory, extension kept.
std::string FileTitle(const std::string& filePath) {
  return std::filesystem::path(filePath).filename().string();
}

}  // namespace

bool RunWrite(const WriteJob& job, FlashImage& image, WriteLog& log, MessageBoxSink& boxes,
              ProfileStore& profile) {
  const std::string title = FileTitle(job.filePath);
  if (!LoadFirmwarePayload(image, log, boxes, job.containerPath)) return false;

  if (int failure = LoadConfigIntoFlashImage(job.filePath, image); failure != 0) {
    log.AppendLog("\r\n");
    log.AppendLogMessage(failure);
    log.AppendLog("\r\n処理を中止しました。");
    return false;
  }
  log.AppendLog("\r\n" + title + " ファイルを正常にロードしました。\r\n");

  if (!ProgramDevice(job.portName, job.speedIndex, image, log, job.serial)) return false;
  WritePortSettings(profile, {job.portName, job.speedIndex});
  return true;
}

}  // namespace vrx
