#include "writer/writer_message_map.h"

#include <gtest/gtest.h>

#include <string>

#include "device/loader.h"
#include "resources/message_table.h"
#include "writer/firmware_container.h"
#include "writer/firmware_pack.h"

namespace vrx {
namespace {

TEST(WriterMessageMap, DataFileErrorsGiveTheWritersFileMessages) {
  const struct {
    DataFileError error;
    int message;
  } cases[] = {
      {DataFileError::kNone, 0},
      {DataFileError::kNoFileSelected, 10000},
      {DataFileError::kOpenFailed, 10001},
      {DataFileError::kReadFailed, 10002},
      {DataFileError::kWrongFormat, 10003},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriterMessageFor(c.error), c.message) << static_cast<int>(c.error);
    if (c.message != 0) {
      EXPECT_FALSE(WriterMessage(c.message).empty()) << c.message;
    }
  }
}

TEST(WriterMessageMap, SessionFailuresGiveTheDeviceMessages) {
  const struct {
    SessionFailure failure;
    int message;
  } cases[] = {
      {SessionFailure::kNone, 0},           {SessionFailure::kNoAnswer, 10004},
      {SessionFailure::kModeChange, 10005}, {SessionFailure::kErase, 10006},
      {SessionFailure::kWrite, 10007},      {SessionFailure::kRead, 10007},
      {SessionFailure::kPortOpen, 10008},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriterMessageFor(c.failure), c.message) << static_cast<int>(c.failure);
    if (c.message != 0) {
      EXPECT_FALSE(WriterMessage(c.message).empty()) << c.message;
    }
  }
  EXPECT_EQ(WriterMessage(WriterMessageFor(SessionFailure::kPortOpen)),
            "通信ポートのオープンに失敗しました。");
}

TEST(WriterMessageMap, ContainerFailuresKeepTheirNumbers) {
  EXPECT_EQ(ContainerFailureText(static_cast<int>(ContainerResult::kOk)), "");
  EXPECT_EQ(ContainerFailureText(static_cast<int>(ContainerResult::kUnreadable)),
            "実行時にエラーが発生しました。 #1");
  EXPECT_EQ(ContainerFailureText(static_cast<int>(ContainerResult::kTooLarge)),
            "実行時にエラーが発生しました。 #2");
  EXPECT_EQ(ContainerFailureText(static_cast<int>(ContainerResult::kTruncated)),
            "実行時にエラーが発生しました。 #3");
}

// Logs and scripts quote these numbers; they must not shift.
TEST(ResultNumbers, LoaderAndPackResultsKeepTheirValues) {
  EXPECT_EQ(static_cast<int>(LoaderResult::kApplication), 1);
  EXPECT_EQ(static_cast<int>(LoaderResult::kPortFailed), -1);
  EXPECT_EQ(static_cast<int>(LoaderResult::kNoAnswer), -2);
  EXPECT_EQ(static_cast<int>(LoaderResult::kEraseFailed), -3);
  EXPECT_EQ(static_cast<int>(LoaderResult::kWriteFailed), -4);
  EXPECT_EQ(static_cast<int>(LoaderResult::kBadLength), -5);
  EXPECT_EQ(static_cast<int>(LoaderResult::kBadAddress), -6);
  EXPECT_EQ(static_cast<int>(PackResult::kBadKey), 5);
}

}  // namespace
}  // namespace vrx
