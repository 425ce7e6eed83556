#include "write_sequence.h"

#include "data_file.h"
#include "firmware_container.h"
#include "port_settings.h"
#include "program_device.h"
#include "read_back.h"
#include "readback_texts.h"

namespace vrx {
namespace {

// The file's title as the load line shows it: the name without its
// directory, extension kept.
std::string FileTitle(const std::string& filePath) {
  return std::filesystem::path(filePath).filename().string();
}

// The module's flash read back and compared; false, with the reason
// logged, unless it equals the image.
bool VerifyWrite(const WriteJob& job, const FlashImage& image, WriteLog& log,
                 DeviceProgress& progress) {
  const VerifyResult result = VerifyDevice(job.portName, job.speedIndex, image, job.serial, progress);
  if (result.messageId != 0) {
    LogDeviceFailure(log, result.messageId);
    return false;
  }
  const std::size_t differing = result.comparison.differing;
  const std::string line =
      differing == 0 ? std::string(readback_text::Verified()) : readback_text::Mismatch(differing);
  log.AppendLog("\r\n" + line + "\r\n");
  return differing == 0;
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

  DeviceProgress& progress = job.progress ? *job.progress : NoProgress();
  if (!ProgramDevice(job.portName, job.speedIndex, image, log, job.serial, progress)) return false;
  if (job.verify && !VerifyWrite(job, image, log, progress)) return false;
  WritePortSettings(profile, {job.portName, job.speedIndex});
  return true;
}

}  // namespace vrx
