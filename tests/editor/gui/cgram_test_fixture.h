// A CGRAM page in a frame of its own, with the editor's profile in a fresh
// temporary folder, so every test starts from a known profile.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "config/config_image.h"
#include "editor/gui/cgram_page.h"
#include "platform/profile.h"
#include "tests/support/scratch_folder.h"

class wxChoice;
class wxFrame;

namespace vrx::test {

class CgramPageTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Stores Option/COM and Option/BAUD as the editor would have.
  void StoreProfile(const std::string& port, int speedIndex);
  std::string StoredPort();
  int StoredSpeed();

  // Builds and shows the page (reading the profile as the editor does at start).
  editor::CCGRAMPage& ShowPage();

  // A mouse press on the page at `point` (page pixels).
  void Press(const wxPoint& point, bool left);
  // The centre of dot (row, column) of `character`.
  wxPoint DotCentre(int character, int row, int column);

  wxChoice& PortList();
  wxChoice& SpeedList();
  // A click on テスト, as the button delivers it.
  void ClickTest();

  ScratchFolder folder_{"vrx-cgram"};
  ConfigImage config_;
  std::unique_ptr<ProfileStore> profile_;  // the editor's, in folder_
  wxFrame* frame_ = nullptr;
  editor::CCGRAMPage* page_ = nullptr;
};

}  // namespace vrx::test
