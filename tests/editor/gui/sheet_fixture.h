// A shown editor sheet with a scratch folder, the writer start recorded
// instead of performed, and real mouse and keyboard input through XTest.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "editor/gui/vrx_sheet.h"
#include "platform/profile.h"
#include "tests/support/scratch_folder.h"

class wxWindow;

namespace vrx::editor {

// Exact texts the editor shows, written out here so that a change of
// wording in the program fails the tests.
inline constexpr const char* kUnsavedPrompt = "データは更新されています。保存しますか？";
inline constexpr const char* kWritePrompt =
    "書き込みを行うには、ファイルに保存する必要があります。保存しますか？";
inline constexpr const char* kBadInputText = "入力データに誤まりがあります。";
inline constexpr const char* kCannotOpenText = "ファイルが開けませんでした。";
inline constexpr const char* kWrongFormatText = "ファイルの形式が違います。";

class SheetTest : public testing::Test {
 protected:
  // The profile the sheet's CGRAM page reads and writes: in memory.
  static ProfileStore& Profile();
  void SetUp() override;
  void TearDown() override;

  // A data file in the scratch folder holding `image`.
  std::filesystem::path WriteImage(const std::string& name, const ConfigImage& image);
  ConfigImage ReadImage(const std::filesystem::path& path);

  // Switches pages as a click on a tab does; false when the sheet stayed.
  bool SelectPage(int index);
  // A click of the left mouse button in the middle of `window`, or at
  // `offset` from its top-left corner.
  void Click(wxWindow* window);
  void ClickAt(wxWindow* window, wxPoint offset);
  // A key pressed and released with the pointer over the sheet.
  void PressKey(int keyCode);
  // Presses one of the sheet's buttons as the user does.
  void Press(CVRXSheet::CommandId id);

  CVRXSheet* sheet = nullptr;
  ::vrx::test::ScratchFolder scratchFolder_{"vrx-sheet"};
  std::filesystem::path scratch = scratchFolder_.path();
  std::vector<std::string> writerStarts;
};

}  // namespace vrx::editor
