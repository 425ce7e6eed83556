#include "writer_dialog_fixture.h"

#include <unistd.h>

#include "config_image.h"
#include "data_file.h"
#include "event_pump.h"

namespace fs = std::filesystem;

namespace vrx::test {
namespace {

std::string Key(std::string_view section, std::string_view key) {
  return std::string(section) + "/" + std::string(key);
}

}  // namespace

std::string MemoryProfile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view fallback) {
  const auto found = values.find(Key(section, key));
  return found == values.end() ? std::string(fallback) : found->second;
}

int MemoryProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  const auto found = values.find(Key(section, key));
  return found == values.end() ? fallback : std::stoi(found->second);
}

bool MemoryProfile::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
  ++writes;
  values[Key(section, key)] = std::string(value);
  return true;
}

bool MemoryProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

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

ScratchDir::ScratchDir() {
  static int counter = 0;
  path_ = fs::temp_directory_path() /
          ("vrx-writer-gui-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

fs::path WriteSampleDataFile(const fs::path& dir, const std::string& name) {
  const fs::path file = dir / name;
  if (!WriteDataFile(file, ConfigImage{})) throw std::runtime_error("cannot write data file");
  return file;
}

}  // namespace vrx::test
