#include "tests/writer/gui/writer_dialog_fixture.h"

#include "config/config_image.h"
#include "config/data_file.h"
#include "tests/support/gui/event_pump.h"

namespace fs = std::filesystem;

namespace vrx::test {

fs::path PackedWriter() { return fs::path(VRX_BINARY_DIR) / "writer" / "gui" / "VRXWriter"; }

void WriterDialogTest::TearDown() {
  if (dialog_) dialog_->Destroy();
  dialog_.release();  // wx deletes a destroyed top-level window itself
  PumpPending();
}

writer::CWriterDialog& WriterDialogTest::Open(
    const std::function<void(writer::CWriterDialog&)>& prepare, fs::path container) {
  dialog_ = std::make_unique<writer::CWriterDialog>(profile_, std::move(container));
  // A Write in a test must not sleep through the loader's pauses.
  dialog_->serialOptions.pause = [](std::chrono::milliseconds) {};
  dialog_->portSpeedPicker().DescribeDevicesWith(devices_);
  if (prepare) prepare(*dialog_);
  dialog_->Show();
  PumpPending();
  return *dialog_;
}

void WriterDialogTest::Click(int id) {
  auto& button = Find<wxButton>(id);
  wxCommandEvent click(wxEVT_BUTTON, id);
  click.SetEventObject(&button);
  button.ProcessWindowEvent(click);
}

std::string WriterDialogTest::LogText() const {
  return std::string(dialog_->logPanel().GetValue().utf8_str());
}

std::string WriterDialogTest::PathText() {
  return std::string(Find<wxTextCtrl>(writer::CWriterDialog::kIdPath).GetValue().utf8_str());
}

std::string WriterDialogTest::PortText() {
  auto& port = Find<wxChoice>(writer::CWriterDialog::kIdPort);
  return std::string(port.GetStringSelection().utf8_str());
}

int WriterDialogTest::SpeedSelection() {
  return Find<wxChoice>(writer::CWriterDialog::kIdSpeed).GetSelection();
}

fs::path WriteSampleDataFile(const fs::path& dir, const std::string& name) {
  const fs::path file = dir / name;
  if (!WriteDataFile(file, ConfigImage{})) throw std::runtime_error("cannot write data file");
  return file;
}

}  // namespace vrx::test
