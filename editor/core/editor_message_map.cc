#include "editor/core/editor_message_map.h"

#include "resources/message_table.h"

namespace vrx {

int EditorMessageFor(DataFileError error) {
  switch (error) {
    case DataFileError::kNone:
      return 0;
    // The editor always has a path; an empty one cannot be opened.
    case DataFileError::kNoFileSelected:
    case DataFileError::kOpenFailed:
      return editor_msg::kFileOpenFailed;
    case DataFileError::kReadFailed:
      return editor_msg::kFileReadFailed;
    case DataFileError::kWrongFormat:
      return editor_msg::kFileWrongFormat;
  }
  return editor_msg::kFileReadFailed;
}

int EditorMessageFor(LcdTestResult result) {
  switch (result) {
    case LcdTestResult::kOk:
    case LcdTestResult::kInterrupted:  // the user stopped it: nothing to explain
      return 0;
    case LcdTestResult::kNoPortSelected:
      return editor_msg::kNoPortSelected;
    case LcdTestResult::kPortOpenFailed:
      return editor_msg::kPortOpenFailed;
    case LcdTestResult::kDeviceError:
      return editor_msg::kDeviceError;
  }
  return editor_msg::kDeviceError;
}

}  // namespace vrx
