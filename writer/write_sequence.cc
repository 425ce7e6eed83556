#include "writer/write_sequence.h"

#include "config/data_file.h"
#include "config/port_settings.h"
#include "device/read_back.h"
#include "platform/utf8_path.h"
#include "resources/readback_texts.h"
#include "resources/writer_log_texts.h"
#include "writer/firmware_container.h"
#include "writer/flash_update_log.h"
#include "writer/writer_message_map.h"

namespace vrx {
namespace {

// The file's title as the load line shows it: the name without its
// directory, extension kept.
std::string FileTitle(const std::string& filePath) {
  return Utf8FromPath(PathFromUtf8(filePath).filename());
}

// The module's flash read back and compared; false, with the reason
// logged, unless it equals the image.
bool VerifyWrite(const WriteJob& job, const FlashImage& image, WriteLog& log,
                 DeviceProgress& progress) {
  const VerifyResult result =
      VerifyDevice(job.portName, job.speedIndex, image, job.serial, progress);
  if (result.failure != SessionFailure::kNone) {
    LogVerifyReadFailure(log, result.failure, result.cause);
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

  if (const DataFileError failure = LoadConfigIntoFlashImage(PathFromUtf8(job.filePath), image);
      failure != DataFileError::kNone) {
    log.AppendLog("\r\n");
    log.AppendLogMessage(WriterMessageFor(failure));
    log.AppendLog(writer_log::LoadStopped());
    return false;
  }
  log.AppendLog(writer_log::Loaded(title));

  DeviceProgress& progress = job.progress ? *job.progress : NoProgress();
  if (!ProgramDevice(job.portName, job.speedIndex, image, log, job.serial, progress)) return false;
  if (job.verify && !VerifyWrite(job, image, log, progress)) return false;
  if (job.storePort) WritePortSettings(profile, {job.portName, job.speedIndex});
  return true;
}

}  // namespace vrx
