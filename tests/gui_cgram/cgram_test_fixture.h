// A CGRAM page in a frame of its own, with the editor's profile in a fresh
// temporary folder, so every test starts from a known profile.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "cgram_page.h"
#include "config_image.h"
#include "profile.h"

class wxChoice;
class wxFrame;

namespace vrx::test {

// A temporary folder removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The editor's profile as the program installs it (wxConfigBase::Get()),
// looked up on every call: the tests install it afresh to read the file back.
class InstalledProfile : public ProfileStore {
 public:
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  bool WriteString(std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool WriteInt(std::string_view section, std::string_view key, int value) override;
};

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

  TempFolder folder_;
  InstalledProfile profile_;
  ConfigImage config_;
  wxFrame* frame_ = nullptr;
  editor::CCGRAMPage* page_ = nullptr;
};

}  // namespace vrx::test
