// A CWriterDialog on screen for one test, with a profile in memory and the
// packed VRXWriter of this build as the firmware container.
#pragma once

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/memory_profile.h"
#include "tests/support/scratch_folder.h"
#include "ui/port_speed_picker.h"
#include "writer/gui/writer_dialog.h"

namespace vrx::test {

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
  std::string PortText();  // "" when nothing is selected
  int SpeedSelection();

  MemoryProfile profile_;
  std::unique_ptr<writer::CWriterDialog> dialog_;
  // What the port list learns of a port's device.  Every port is a plain
  // one unless a test says otherwise, so that no test depends on the USB
  // adapters of the machine it runs on.
  ui::PortSpeedPicker::DeviceSource devices_ = [](const std::string& path) {
    SerialPortInfo device;
    device.devicePath = path;
    device.exists = true;
    return device;
  };
};

// A valid data file (every key unassigned) written into `dir`.
std::filesystem::path WriteSampleDataFile(const std::filesystem::path& dir,
                                          const std::string& name = "keys.vrx");

}  // namespace vrx::test
