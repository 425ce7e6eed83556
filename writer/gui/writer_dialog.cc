#include "writer_dialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#ifdef __WXMSW__
#include <windows.h>
#endif

#include <string>
#include <utility>

#include "about_box.h"
#include "bit_rate.h"
#include "compact_control.h"
#include "compact_lists.h"
#include "dialog_layout.h"
#include "file_dialog.h"
#include "file_drop_target.h"
#include "message_box.h"
#include "message_table.h"
#include "port_messages.h"
#include "port_names.h"
#include "port_settings.h"
#include "program_icon.h"
#include "readback_texts.h"
#include "repaint.h"
#include "ui_texts.h"
#include "write_sequence.h"

namespace vrx::writer {
namespace {

using ui::DluRect;

// Template of dialog resource 102, in dialog units.
constexpr DluRect kClient{0, 0, 267, 225};
constexpr DluRect kExitRect{208, 206, 50, 14};
constexpr DluRect kPathRect{6, 44, 224, 14};
constexpr DluRect kBrowseRect{232, 44, 26, 14};
constexpr DluRect kWriteRect{154, 206, 50, 14};
constexpr DluRect kPortRect{28, 206, 36, 112};
constexpr DluRect kPortLabelRect{6, 206, 18, 14};
constexpr DluRect kInstructionRect{6, 6, 252, 30};
constexpr DluRect kLogRect{6, 64, 252, 134};
constexpr DluRect kSpeedRect{92, 206, 38, 90};
constexpr DluRect kSpeedLabelRect{70, 206, 18, 14};
constexpr DluRect kBpsLabelRect{132, 206, 16, 14};
constexpr int kBottomRowHeight = 14;  // the buttons and labels beside the lists

constexpr const char* kInstruction =
    "VRX7100のフラッシュメモリに書込みを行います。\n\n"
    "データファイルを選択して「書込み」ボタンを押してください。";
// One filter entry covering both extensions.
constexpr const char* kDataFileFilter = "VRX7100 データ (*.vrx;*.txt)|*.vrx;*.txt";
constexpr const char* kDefaultExtension = "vrx";
constexpr int kListedSpeeds = 6;  // indices 0..5; 6 (128000) is not offered

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

// The first entry that begins with `prefix`, ignoring case.
int FindPortEntry(const wxChoice& list, const wxString& prefix) {
  const wxString lowered = prefix.Lower();
  for (unsigned int i = 0; i < list.GetCount(); ++i)
    if (list.GetString(i).Lower().StartsWith(lowered)) return static_cast<int>(i);
  return wxNOT_FOUND;
}

// The container's message boxes, owned by the dialog.
class DialogMessageBoxes : public MessageBoxSink {
 public:
  explicit DialogMessageBoxes(wxWindow& owner) : owner_(owner) {}
  void ShowMessage(std::string_view text) override { ui::ShowMessage(&owner_, ui::FromCore(text)); }

 private:
  wxWindow& owner_;
};

wxStaticText* NewLabel(wxWindow* parent, const char* text, long style = 0) {
  return new wxStaticText(parent, wxID_ANY, ui::FromCore(text), wxDefaultPosition,
                          wxDefaultSize, style | wxST_NO_AUTORESIZE);
}

// Sized by the template, not by GTK's default button width.
wxButton* NewButton(wxWindow* parent, int id, const char* text) {
  return new ui::Compact<wxButton>(parent, id, ui::FromCore(text), wxDefaultPosition,
                                   wxDefaultSize, wxBU_EXACTFIT);
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
  SetClientSize(ui::DluRectToPixels(this, kClient).GetSize());
  ui::FixWindowSize(*this);
  SetEscapeId(kIdExit);

  Bind(wxEVT_INIT_DIALOG, &CWriterDialog::OnInitDialog, this);
  Bind(wxEVT_CONTEXT_MENU, &CWriterDialog::OnContextMenu, this);
  Bind(wxEVT_CLOSE_WINDOW, &CWriterDialog::OnCloseRequest, this);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndDialog(wxID_CANCEL); }, kIdExit);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Browse(); }, kIdBrowse);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Write(); }, kIdWrite);
  Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowPortDevice(); }, kIdPort);
#ifdef __WXMSW__
  AddAboutToSystemMenu();
#endif
}

CWriterDialog::~CWriterDialog() = default;

void CWriterDialog::CreateControls() {
  // Template order is the keyboard's tab order.
  exit_ = NewButton(this, kIdExit, "終了");
  ui::PlaceControl(*exit_, kExitRect);

  path_ = new ui::Compact<wxTextCtrl>(this, kIdPath, wxEmptyString);
  ui::PlaceControl(*path_, kPathRect);
  // A file dropped on the field or the window becomes the path to write.
  for (wxWindow* target : {static_cast<wxWindow*>(this), static_cast<wxWindow*>(path_)}) {
    ui::AcceptDroppedFiles(*target, [this](const std::vector<std::string>& paths) {
      path_->ChangeValue(ui::FromCore(paths.front()));
    });
  }

  browse_ = NewButton(this, kIdBrowse, "参照");
  ui::PlaceControl(*browse_, kBrowseRect);

  write_ = NewButton(this, kIdWrite, "書込み");
  ui::PlaceControl(*write_, kWriteRect);
  write_->SetDefault();

  port_ = new wxChoice(this, kIdPort);
  for (const std::string& name : OfferedPortNames()) port_->Append(ui::FromCore(name));

  ui::PlaceCentredLabel(*NewLabel(this, "ポート"), kPortLabelRect);
  ui::PlaceLabel(*NewLabel(this, kInstruction), kInstructionRect);

  log_ = new wxTextCtrl(this, kIdLog, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                        wxTE_MULTILINE | wxTE_READONLY | wxVSCROLL);
  log_->DisableFocusFromKeyboard();
  ui::PlaceControl(*log_, kLogRect);
  logPanel_ = std::make_unique<LogPanel>(*log_);

  speed_ = new wxChoice(this, kIdSpeed);
  for (int index = 0; index < kListedSpeeds; ++index)
    speed_->Append(wxString::Format(wxS("%d"), BitRateForSpeedIndex(index)));
  PlaceDropDownLists();

  ui::PlaceCentredLabel(*NewLabel(this, "速度"), kSpeedLabelRect);
  ui::PlaceCentredLabel(*NewLabel(this, "bps"), kBpsLabelRect);
}

bool CWriterDialog::TransferDataToWindow() {
  path_->ChangeValue(ui::FromCore(filePath));
  // No matching entry leaves the list's selection as it was.
  if (const int entry = FindPortEntry(*port_, ui::FromCore(portName)); entry != wxNOT_FOUND)
    port_->SetSelection(entry);
  const bool listed = speedIndex >= 0 && speedIndex < static_cast<int>(speed_->GetCount());
  speed_->SetSelection(listed ? speedIndex : wxNOT_FOUND);
  ShowPortDevice();
  return true;
}

bool CWriterDialog::TransferDataFromWindow() {
  filePath = Utf8(path_->GetValue());
  portName = port_->GetSelection() == wxNOT_FOUND ? std::string()
                                                  : Utf8(port_->GetStringSelection());
  speedIndex = speed_->GetSelection();  // wxNOT_FOUND is -1, "no speed"
  return true;
}

void CWriterDialog::PlaceDropDownLists() {
  ui::PlaceDropDown(*port_, kPortRect, kBottomRowHeight);
  ui::PlaceDropDown(*speed_, kSpeedRect, kBottomRowHeight);
}

void CWriterDialog::OnInitDialog(wxInitDialogEvent&) {
  PlaceDropDownLists();
  TransferDataToWindow();
  write_->SetFocus();
}

void CWriterDialog::Browse() {
  TransferDataFromWindow();
  const wxFileName initial(ui::FromCore(filePath));
  ui::FileDialog chooser(this, ui::FromCore(ui_text::kChooseDataFileTitle), initial.GetPath(), initial.GetFullName(),
                       ui::FromCore(kDataFileFilter), wxFD_OPEN);
  if (chooser.ShowModal() != wxID_OK) return;
  wxFileName chosen(chooser.GetPath());
  if (!chosen.HasExt()) chosen.SetExt(ui::FromCore(kDefaultExtension));
  filePath = Utf8(chosen.GetFullPath());
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
    DialogMessageBoxes boxes(*this);
    RunWrite(job, *flashImage_, *logPanel_, boxes, profile_);
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
  return menu;
}

void CWriterDialog::SetVerifyAfterWrite(bool verify) {
  verifyAfterWrite = verify;
  WriteVerifyAfterWrite(profile_, verify);
}

void CWriterDialog::OnContextMenu(wxContextMenuEvent&) {
  if (writing_) return;  // a right click held back during a Write is dropped
  const std::unique_ptr<wxMenu> menu = CreateContextMenu();
  switch (GetPopupMenuSelectionFromUser(*menu)) {
    case kIdAbout: ShowVersionBox(); break;
    case kIdVerify: SetVerifyAfterWrite(!verifyAfterWrite); break;
    default: break;
  }
}

void CWriterDialog::ShowPortDevice() {
  const int entry = port_->GetSelection();
  if (entry == wxNOT_FOUND) {
    port_->UnsetToolTip();
    return;
  }
  const std::string name = Utf8(port_->GetString(static_cast<unsigned int>(entry)));
  port_->SetToolTip(ui::FromCore(name + ": " + port_msg::PortDescription(LocatePortName(name))));
}

#ifdef __WXMSW__
void CWriterDialog::AddAboutToSystemMenu() {
  const std::wstring entry = ui::FromCore(WriterMessage(writer_msg::kAboutMenuEntry)).ToStdWstring();
  HMENU menu = ::GetSystemMenu(GetHWND(), FALSE);
  if (entry.empty() || !menu) return;
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, kIdAbout, entry.c_str());
}

WXLRESULT CWriterDialog::MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == kIdAbout) {
    ShowVersionBox();
    return 0;
  }
  return wxDialog::MSWWindowProc(message, wParam, lParam);
}
#endif

}  // namespace vrx::writer
