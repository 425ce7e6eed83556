#include "writer/writer_message_map.h"

#include "resources/message_table.h"

namespace vrx {

int WriterMessageFor(DataFileError error) {
  switch (error) {
    case DataFileError::kNone:
      return 0;
    case DataFileError::kNoFileSelected:
      return writer_msg::kNoFileSelected;
    case DataFileError::kOpenFailed:
      return writer_msg::kFileOpenFailed;
    case DataFileError::kReadFailed:
      return writer_msg::kFileReadFailed;
    case DataFileError::kWrongFormat:
      return writer_msg::kFileWrongFormat;
  }
  return writer_msg::kFileReadFailed;
}

int WriterMessageFor(SessionFailure failure) {
  switch (failure) {
    case SessionFailure::kNone:
    case SessionFailure::kInterrupted:  // the user stopped it: nothing to explain
      return 0;
    case SessionFailure::kPortOpen:
      return writer_msg::kPortOpenFailed;
    case SessionFailure::kNoAnswer:
      return writer_msg::kNoDeviceAnswer;
    case SessionFailure::kModeChange:
      return writer_msg::kModeChangeFailed;
    case SessionFailure::kErase:
      return writer_msg::kEraseFailed;
    // The writer has one message for a failed transfer either way.
    case SessionFailure::kWrite:
    case SessionFailure::kRead:
      return writer_msg::kWriteFailed;
  }
  return writer_msg::kWriteFailed;
}

}  // namespace vrx
