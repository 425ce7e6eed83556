// VRXWriter's one window (dialog resource 102): the data file, the port and
// speed, 書込み and the log of every Write.
#pragma once

#include <wx/dialog.h>
#include <wx/utils.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "config/flash_image.h"
#include "device/serial_options.h"
#include "platform/profile.h"
#include "writer/gui/log_panel.h"
#include "writer/gui/progress_row.h"

class wxButton;
class wxMenu;
class wxStaticText;
class wxTextCtrl;

namespace vrx::ui {
class PortSpeedPicker;
}

namespace vrx::writer {

class CWriterDialog : public wxDialog {
 public:
  // Control identifiers of the template.
  enum : int {
    kIdExit = 2,
    kIdWrite = 3,
    kIdPath = 1000,
    kIdBrowse = 1001,
    kIdPort = 1003,
    kIdLog = 1005,
    kIdSpeed = 1006,
    // Added to the template: the Write's progress under the log, and the
    // warning under the port about an adapter that makes a Write slow.
    kIdProgress = 1010,
    kIdTimeLeft = 1011,
    kIdLatencyWarning = 1012,
    kIdAbout = 0x0010,   // the about command of the window's menu
    kIdVerify = 0x0020,  // right-click menu: verify after every Write
  };

  // `profile` receives the port and speed after a successful Write;
  // `container` is the executable that carries the firmware payload.
  CWriterDialog(ProfileStore& profile, std::filesystem::path container);
  ~CWriterDialog() override;

  // The fields exchanged with the controls (path edit, port list, speed
  // list).  Set them before the dialog is shown.
  std::string filePath;
  std::string portName = "COM1";
  int speedIndex = 4;
  // Read the flash back after each Write (Option/VERIFY, stored on change).
  bool verifyAfterWrite = false;

  // Device time-outs for the Write; only tests of silent devices change them.
  SerialOptions serialOptions;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  void Browse();  // 参照
  void Write();   // 書込み
  void ShowVersionBox();
  // The right-click menu: the verify switch and the about command.
  std::unique_ptr<wxMenu> CreateContextMenu() const;
  void SetVerifyAfterWrite(bool verify);

  wxTextCtrl& logPanel() const { return *log_; }
  ProgressRow& progressRow() const { return *progress_; }
  ui::PortSpeedPicker& portSpeedPicker() const { return *portSpeed_; }

 private:
  void CreateControls();
  void FitBottomRow();
  // The template's size, and a line more while the latency warning shows.
  void FitToLatencyWarning();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnCloseRequest(wxCloseEvent& event);
  std::array<wxWindow*, 3> CommandButtons() const;  // 書込み, 参照, 終了

  // The dialog during a Write: command buttons disabled, busy cursor.
  class WriteInProgress {
   public:
    explicit WriteInProgress(CWriterDialog& dialog);
    ~WriteInProgress();
    WriteInProgress(const WriteInProgress&) = delete;
    WriteInProgress& operator=(const WriteInProgress&) = delete;

   private:
    CWriterDialog& dialog_;
    wxWindow* focus_ = nullptr;
    wxBusyCursor busy_;
  };

  ProfileStore& profile_;
  std::filesystem::path container_;
  // Lives as long as the window and is rebuilt by every Write.
  std::unique_ptr<FlashImage> flashImage_;
  bool writing_ = false;

  wxTextCtrl* path_ = nullptr;
  std::unique_ptr<ui::PortSpeedPicker> portSpeed_;
  wxButton* write_ = nullptr;
  wxButton* browse_ = nullptr;
  wxStaticText* bpsLabel_ = nullptr;
  wxButton* exit_ = nullptr;
  wxTextCtrl* log_ = nullptr;
  std::unique_ptr<LogPanel> logPanel_;
  std::unique_ptr<ProgressRow> progress_;
  wxWindow* latencyWarning_ = nullptr;
};

}  // namespace vrx::writer
