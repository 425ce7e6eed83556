#include "writer/gui/writer_dialog.h"

#include <wx/button.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "config/port_settings.h"
#include "platform/interrupt.h"
#include "resources/message_table.h"
#include "resources/readback_texts.h"
#include "resources/ui_texts.h"
#include "ui/about_box.h"
#include "ui/control_fitting.h"
#include "ui/dialog_layout.h"
#include "ui/file_dialog.h"
#include "ui/file_drop_target.h"
#include "ui/language_menu.h"
#include "ui/message_box.h"
#include "ui/port_speed_picker.h"
#include "ui/program_icon.h"
#include "ui/repaint.h"
#include "ui/system_menu.h"
#include "ui/text_conversion.h"
#include "writer/write_sequence.h"

namespace vrx::writer {
namespace {

using ui::DluRect;

// Template of dialog resource 102, in dialog units, with a row for the
// Write's progress added under the log: the dialog and everything below the
// log move down by that row.
constexpr int kProgressRowHeight = 12;
constexpr DluRect kProgressBarRect{6, 202, 200, 8};
constexpr DluRect kTimeLeftRect{210, 201, 48, 10};
constexpr int kBottomRowY = 206 + kProgressRowHeight;

constexpr DluRect kClient{0, 0, 267, 225 + kProgressRowHeight};
constexpr DluRect kExitRect{208, kBottomRowY, 50, 14};
constexpr DluRect kPathRect{6, 44, 224, 14};
constexpr DluRect kBrowseRect{232, 44, 26, 14};
constexpr DluRect kWriteRect{154, kBottomRowY, 50, 14};
constexpr DluRect kPortRect{28, kBottomRowY, 36, 112};
constexpr DluRect kPortLabelRect{6, kBottomRowY, 18, 14};
constexpr DluRect kInstructionRect{6, 6, 252, 30};
constexpr DluRect kLogRect{6, 64, 252, 134};
constexpr DluRect kSpeedRect{92, kBottomRowY, 38, 90};
constexpr DluRect kSpeedLabelRect{70, kBottomRowY, 18, 14};
constexpr DluRect kBpsLabelRect{132, kBottomRowY, 16, 14};
constexpr int kBottomRowHeight = 14;  // the buttons and labels beside the lists

// Under the port only while the chosen port makes a Write slow; the dialog
// grows by this line while it shows, so that no one has an empty line
// reserved for a warning that does not apply to them.
constexpr int kWarningLineHeight = 13;
constexpr DluRect kLatencyWarningRect{6, kBottomRowY + 17, 252, 10};

constexpr const char* kDefaultExtension = "vrx";
// Ports in the order offered; a remembered name no entry begins with leaves
// the selection alone.
constexpr ui::PortSpeedPickerStyle kPortSpeedStyle{CWriterDialog::kIdPort,
                                                   CWriterDialog::kIdSpeed,
                                                   kPortRect,
                                                   kSpeedRect,
                                                   kBottomRowHeight,
                                                   false,
                                                   ui::PortMatch::kEntryOrUnchanged};

// The container's message boxes, owned by the dialog.
class DialogMessageBoxes : public MessageBoxSink {
 public:
  explicit DialogMessageBoxes(wxWindow& owner) : owner_(owner) {}
  void ShowMessage(std::string_view text) override { ui::ShowMessage(&owner_, ui::FromCore(text)); }

 private:
  wxWindow& owner_;
};

wxStaticText* NewLabel(wxWindow* parent, std::string_view text, long style = 0) {
  return new wxStaticText(parent, wxID_ANY, ui::FromCore(text), wxDefaultPosition, wxDefaultSize,
                          style | wxST_NO_AUTORESIZE);
}

// Sized by the template, not by GTK's default button width.
wxButton* NewButton(wxWindow* parent, int id, std::string_view text) {
  return new ui::Compact<wxButton>(parent, id, ui::FromCore(text), wxDefaultPosition, wxDefaultSize,
                                   wxBU_EXACTFIT);
}

}  // namespace

CWriterDialog::CWriterDialog(ProfileStore& profile, std::filesystem::path container)
    : wxDialog(nullptr, wxID_ANY, wxS("VRXWriter"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      profile_(profile),
      container_(std::move(container)),
      flashImage_(std::make_unique<FlashImage>()) {
  ui::UseCompactDropDownLists();
  SetFont(ui::DialogFont());
  SetIcons(ui::ProgramIcons());
  CreateControls();
  FitToLatencyWarning();
  SetEscapeId(kIdExit);

  Bind(wxEVT_INIT_DIALOG, &CWriterDialog::OnInitDialog, this);
  Bind(wxEVT_CONTEXT_MENU, &CWriterDialog::OnContextMenu, this);
  Bind(wxEVT_CLOSE_WINDOW, &CWriterDialog::OnCloseRequest, this);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { EndDialog(wxID_CANCEL); }, kIdExit);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { Browse(); }, kIdBrowse);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { Write(); }, kIdWrite);
  // On Windows the about entry sits in the window's system menu as well.
  ui::AddToSystemMenu(*this, kIdAbout, ui::FromCore(WriterMessage(writer_msg::kAboutMenuEntry)));
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { ShowVersionBox(); }, kIdAbout);
  ui::AddToSystemMenu(*this, ui::kLanguageMenuId, ui::FromCore(ui_text::LanguageMenuEntry()));
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { ui::AskLanguage(*this, profile_); },
      ui::kLanguageMenuId);
}

CWriterDialog::~CWriterDialog() = default;

void CWriterDialog::CreateControls() {
  // Template order is the keyboard's tab order.
  exit_ = NewButton(this, kIdExit, ui_text::ExitButton());
  ui::PlaceControl(*exit_, kExitRect);

  path_ = new ui::Compact<wxTextCtrl>(this, kIdPath, wxEmptyString);
  ui::PlaceControl(*path_, kPathRect);
  // A file dropped on the field or the window becomes the path to write.
  for (wxWindow* target : {static_cast<wxWindow*>(this), static_cast<wxWindow*>(path_)}) {
    ui::AcceptDroppedFiles(*target, [this](const std::vector<std::string>& paths) {
      path_->ChangeValue(ui::FromCore(paths.front()));
    });
  }

  browse_ = NewButton(this, kIdBrowse, ui_text::BrowseButton());
  ui::PlaceControl(*browse_, kBrowseRect);
  // A longer word than 参照 (another language's) takes its room from the
  // path's end.
  if (const wxRect button = browse_->GetRect(); browse_->GetBestSize().x > button.width) {
    const int extra = browse_->GetBestSize().x - button.width;
    browse_->SetSize(button.x - extra, button.y, button.width + extra, button.height);
    const wxRect path = path_->GetRect();
    path_->SetSize(path.x, path.y, path.width - extra, path.height);
  }

  write_ = NewButton(this, kIdWrite, ui_text::WriteButton());
  ui::PlaceControl(*write_, kWriteRect);
  write_->SetDefault();

  portSpeed_ = std::make_unique<ui::PortSpeedPicker>(this, kPortSpeedStyle);

  wxStaticText* portLabel = NewLabel(this, ui_text::PortLabel());
  ui::PlaceCentredLabel(*portLabel, kPortLabelRect);
  ui::PlaceLabel(*NewLabel(this, ui_text::WriterInstruction()), kInstructionRect);

  log_ = new wxTextCtrl(this, kIdLog, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                        wxTE_MULTILINE | wxTE_READONLY | wxVSCROLL);
  log_->DisableFocusFromKeyboard();
  ui::PlaceControl(*log_, kLogRect);
  logPanel_ = std::make_unique<LogPanel>(*log_);

  wxStaticText* speedLabel = NewLabel(this, ui_text::SpeedLabel());
  ui::PlaceCentredLabel(*speedLabel, kSpeedLabelRect);
  wxStaticText* bpsLabel = NewLabel(this, "bps");
  ui::PlaceCentredLabel(*bpsLabel, kBpsLabelRect);
  portSpeed_->FlowWith(portLabel, speedLabel, bpsLabel);
  bpsLabel_ = bpsLabel;

  progress_ = std::make_unique<ProgressRow>(this, kIdProgress, kProgressBarRect, kIdTimeLeft,
                                            kTimeLeftRect);
  auto* warning = new wxStaticText(this, kIdLatencyWarning, wxEmptyString, wxDefaultPosition,
                                   wxDefaultSize, wxST_NO_AUTORESIZE);
  ui::PlaceLabel(*warning, kLatencyWarningRect);
  latencyWarning_ = warning;
  portSpeed_->ShowLatencyWarningIn(warning, [this] { FitToLatencyWarning(); });
}

// Where the labels' words are longer than the template's (another
// language), the lists push "bps" right: 書込み then starts after it and
// gives up width it does not need, up to 終了.
void CWriterDialog::FitBottomRow() {
  portSpeed_->Place();
  const int gap = ui::DluToPixels(this, 2, 0).x;
  const wxRect write = write_->GetRect();
  const int overlap = bpsLabel_->GetPosition().x + bpsLabel_->GetBestSize().x + gap - write.x;
  if (overlap <= 0) return;
  const int width = std::max(write.width - overlap, write_->GetBestSize().x);
  write_->SetSize(write.x + overlap, write.y, width, write.height);
}

void CWriterDialog::FitToLatencyWarning() {
  DluRect client = kClient;
  if (latencyWarning_ && latencyWarning_->IsShown()) client.height += kWarningLineHeight;
  SetSizeHints(wxDefaultSize, wxDefaultSize);  // lets go of the fixed size
  SetClientSize(ui::DluRectToPixels(this, client).GetSize());
  ui::FixWindowSize(*this);
}

bool CWriterDialog::TransferDataToWindow() {
  path_->ChangeValue(ui::FromCore(filePath));
  portSpeed_->Show({portName, speedIndex});
  return true;
}

bool CWriterDialog::TransferDataFromWindow() {
  filePath = ui::ToCore(path_->GetValue());
  const PortSettings chosen = portSpeed_->Chosen();
  portName = chosen.portName;
  speedIndex = chosen.speedIndex;  // -1: no speed
  return true;
}

void CWriterDialog::OnInitDialog(wxInitDialogEvent&) {
  FitBottomRow();
  TransferDataToWindow();
  write_->SetFocus();
}

void CWriterDialog::Browse() {
  TransferDataFromWindow();
  const wxFileName initial(ui::FromCore(filePath));
  ui::FileDialog chooser(this, ui::FromCore(ui_text::ChooseDataFileTitle()), initial.GetPath(),
                         initial.GetFullName(), ui::FromCore(ui_text::WriterDataFileFilter()),
                         wxFD_OPEN);
  if (chooser.ShowModal() != wxID_OK) return;
  wxFileName chosen(chooser.GetPath());
  if (!chosen.HasExt()) chosen.SetExt(ui::FromCore(kDefaultExtension));
  filePath = ui::ToCore(chosen.GetFullPath());
  TransferDataToWindow();
}

void CWriterDialog::Write() {
  // Appends repaint the panel without handling input, so no click can start
  // a Write inside this one; the guard keeps that true for any other path in.
  if (writing_) return;
  {
    const WriteInProgress inProgress(*this);
    TransferDataFromWindow();
    WriteJob job{filePath, portName, speedIndex, container_, serialOptions};
    job.verify = verifyAfterWrite;
    // A signal stops the Write at a safe point; the program then ends by
    // it, after the port is closed (the scope outlives the session).
    const InterruptScope catchInterrupts;
    if (!job.serial.cancelled) job.serial.cancelled = InterruptRequested;
    job.progress = &progress_->Begin(job.verify);
    DialogMessageBoxes boxes(*this);
    const bool written = RunWrite(job, *flashImage_, *logPanel_, boxes, profile_);
    progress_->End(written);
  }
}

// Clicks and keys the user gave while the Write ran were held back; they
// meet disabled buttons now and so are dropped (a double click on 書込み
// writes once).  Only then is the dialog usable again.
CWriterDialog::WriteInProgress::WriteInProgress(CWriterDialog& dialog) : dialog_(dialog) {
  dialog_.writing_ = true;
  focus_ = wxWindow::FindFocus();  // disabling 書込み would lose it
  for (wxWindow* button : dialog_.CommandButtons()) button->Disable();
}

CWriterDialog::WriteInProgress::~WriteInProgress() {
  ui::ProcessAllPending();
  for (wxWindow* button : dialog_.CommandButtons()) button->Enable();
  if (focus_ && focus_->GetParent() == &dialog_) focus_->SetFocus();
  dialog_.writing_ = false;
}

std::array<wxWindow*, 3> CWriterDialog::CommandButtons() const { return {write_, browse_, exit_}; }

void CWriterDialog::OnCloseRequest(wxCloseEvent& event) {
  // The Write's result must stay readable: no close box, Alt+F4 or Escape
  // ends the program while the device is being written.
  if (writing_ && event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}

void CWriterDialog::ShowVersionBox() {
  ui::CAboutDialog about(this, "VRXWriter");
  about.ShowModal();
}

std::unique_ptr<wxMenu> CWriterDialog::CreateContextMenu() const {
  auto menu = std::make_unique<wxMenu>();
  menu->AppendCheckItem(kIdVerify, ui::FromCore(readback_text::VerifyMenuEntry()))
      ->Check(verifyAfterWrite);
  if (const std::string_view entry = WriterMessage(writer_msg::kAboutMenuEntry); !entry.empty()) {
    menu->AppendSeparator();
    menu->Append(kIdAbout, ui::FromCore(entry));
  }
  menu->AppendSeparator();
  ui::AppendLanguageMenu(*menu, profile_);
  return menu;
}

void CWriterDialog::SetVerifyAfterWrite(bool verify) {
  verifyAfterWrite = verify;
  WriteVerifyAfterWrite(profile_, verify);
}

void CWriterDialog::OnContextMenu(wxContextMenuEvent&) {
  if (writing_) return;  // a right click held back during a Write is dropped
  const std::unique_ptr<wxMenu> menu = CreateContextMenu();
  const int chosen = GetPopupMenuSelectionFromUser(*menu);
  if (ui::ChooseLanguage(profile_, chosen)) return;
  switch (chosen) {
    case kIdAbout:
      ShowVersionBox();
      break;
    case kIdVerify:
      SetVerifyAfterWrite(!verifyAfterWrite);
      break;
    default:
      break;
  }
}

}  // namespace vrx::writer
