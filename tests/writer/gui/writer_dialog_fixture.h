// A CWriterDialog on screen for one test, with a profile in memory and the
// packed VRXWriter of this build as the firmware container.
#pragma once

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "profile.h"
#include "writer_dialog.h"

namespace vrx::test {

// Profile values in memory, counting writes.
class MemoryProfile : public ProfileStore {
 public:
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  bool WriteString(std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool WriteInt(std::string_view section, std::string_view key, int value) override;

  std::map<std::string, std::string> values;  // "Option/COM" -> "COM3"
  int writes = 0;
};

// The packed writer executable of this build (firmware payload appended).
std::filesystem::path PackedWriter();

class WriterDialogTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Creates and shows the dialog; `prepare` sets its fields first.
  writer::CWriterDialog& Open(const std::function<void(writer::CWriterDialog&)>& prepare = {},
                              std::filesystem::path container = PackedWriter());

  template <class Control>
  Control& Find(int id) {
    auto* control = dynamic_cast<Control*>(dialog_->FindWindow(id));
    if (!control) throw std::runtime_error("no control " + std::to_string(id));
    return *control;
  }
  void Click(int id);
  std::string LogText() const;  // the panel's text, "\n" line ends
  std::string PathText();
  std::string PortText();       // "" when nothing is selected
  int SpeedSelection();

  MemoryProfile profile_;
  std::unique_ptr<writer::CWriterDialog> dialog_;
};

// A scratch folder removed with the object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A valid data file (every key unassigned) written into `dir`.
std::filesystem::path WriteSampleDataFile(const std::filesystem::path& dir,
                                          const std::string& name = "keys.vrx");

}  // namespace vrx::test
