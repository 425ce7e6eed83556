#include "editor/gui/vrx_sheet.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "config/data_file.h"
#include "editor/core/editor_message_map.h"
#include "editor/core/layout_sheet.h"
#include "editor/core/layout_sheet_render.h"
#include "editor/core/sheet_rules.h"
#include "editor/gui/cgram_page.h"
#include "editor/gui/exchange_menu.h"
#include "editor/gui/key_map_page.h"
#include "editor/gui/option_page.h"
#include "editor/gui/writer_launch.h"
#include "platform/utf8_path.h"
#include "resources/editor_texts.h"
#include "resources/message_table.h"
#include "resources/ui_texts.h"
#include "ui/about_box.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_units.h"
#include "ui/file_drop_target.h"
#include "ui/focus_ring.h"
#include "ui/language_menu.h"
#include "ui/message_box.h"
#include "ui/program_icon.h"
#include "ui/system_menu.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

constexpr const char* kSheetCaption = "VRXEditor";
constexpr const char* kTitleSeparator = " - ";
constexpr const char* kDataFileExtension = "vrx";

// The page templates are 359 x 299 dialog units; the buttons those of a
// property sheet.
constexpr int kPageWidth = 359;
constexpr int kPageHeight = 299;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kMargin = 7;

// A name typed without an extension gets ".vrx", as the file dialogs of
// the platform do with a default extension.
std::string WithDataFileExtension(const wxString& chosen) {
  wxFileName name(chosen);
  if (!name.HasExt()) name.SetExt(ui::FromCore(kDataFileExtension));
  return ui::ToCore(name.GetFullPath());
}

// The chosen path, or "" when the user cancelled.
std::string AskDataFilePath(wxWindow* parent, const std::string& currentPath, long style) {
  const wxFileName current(ui::FromCore(currentPath));
  const std::string_view title =
      (style & wxFD_SAVE) ? ui_text::SaveAsTitle() : ui_text::OpenTitle();
  wxFileDialog dialog(parent, ui::FromCore(title), current.GetPath(), current.GetFullName(),
                      ui::FromCore(ui_text::EditorDataFileFilter()), style);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return {};
  return WithDataFileExtension(dialog.GetPath());
}

}  // namespace

CVRXSheet::CVRXSheet(ProfileStore& profile, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, ui::FromCore(kSheetCaption), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX),
      startWriter(StartWriter),
      profile_(profile) {
  SetFont(ui::DialogFont());
  SetIcons(ui::ProgramIcons());
  CreatePages(profile);
  CreateButtonRow();

  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnOpen(); }, kOpenId);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnSave(); }, kSaveId);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnExit(); }, kExitId);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnWrite(); }, kWriteId);
  Bind(wxEVT_INIT_DIALOG, &CVRXSheet::OnInitDialog, this);
  Bind(wxEVT_CLOSE_WINDOW, &CVRXSheet::OnCloseBox, this);
  Bind(wxEVT_CONTEXT_MENU, &CVRXSheet::OnContextMenu, this);
  Bind(wxEVT_CHAR_HOOK, &CVRXSheet::OnCharHook, this);
  ui::AcceptDroppedFiles(*this,
                         [this](const std::vector<std::string>& paths) { OnFilesDropped(paths); });
  notebook_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CVRXSheet::OnPageChanging, this);
  notebook_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CVRXSheet::OnPageChanged, this);
  // On Windows the about entry sits in the window's system menu as well.
  ui::AddToSystemMenu(*this, kAboutId, ui::FromCore(EditorMessage(editor_msg::kAboutMenuEntry)));
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { ShowAboutBox(); }, kAboutId);
  ui::AddToSystemMenu(*this, ui::kLanguageMenuId, ui::FromCore(ui_text::LanguageMenuEntry()));
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { ui::AskLanguage(*this, profile_); },
      ui::kLanguageMenuId);

  pages_[kKeyMapPage]->OnSetActive();
}

void CVRXSheet::CreatePages(ProfileStore& profile) {
  notebook_ = new wxNotebook(this, wxID_ANY);
  // Each page sits in a frame of its own that scrolls it when the screen is
  // too small for the sheet (a high scale on a small screen); the page
  // keeps its template's size and coordinates.
  for (wxScrolledWindow*& frame : pageFrames_) {
    frame = new wxScrolledWindow(notebook_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxHSCROLL | wxVSCROLL);
    frame->SetScrollRate(ui::DluXToPixels(this, 4), ui::DluYToPixels(this, 8));
  }
  keyMapPage_ = new CKeyMapPage(pageFrames_[kKeyMapPage], config_, &profile);
  cgramPage_ = new CCGRAMPage(pageFrames_[kCgramPage], config_, profile);
  optionPage_ = new COptionPage(pageFrames_[kOptionPage], config_);
  pages_ = {keyMapPage_, cgramPage_, optionPage_};
  for (CSheetPage* page : pages_) page->recorder = this;

  const wxSize pageSize = ui::DluRectToPixels(this, 0, 0, kPageWidth, kPageHeight).GetSize();
  for (int index = 0; index < kPageCount; ++index) {
    pages_[index]->SetMinSize(pageSize);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(pages_[index]);
    pageFrames_[index]->SetSizer(sizer);
    pageFrames_[index]->SetMinSize(pageSize);
    notebook_->AddPage(pageFrames_[index], ui::FromCore(ui_text::PageCaption(index)), index == 0);
  }
}

void CVRXSheet::FitInto(const wxSize& available) {
  const wxSize whole = GetSize();
  const wxSize excess(std::max(0, whole.x - available.x), std::max(0, whole.y - available.y));
  const wxSize pageSize = ui::DluRectToPixels(this, 0, 0, kPageWidth, kPageHeight).GetSize();
  for (wxScrolledWindow* frame : pageFrames_) {
    frame->SetMinSize(pageSize - excess);
    // GTK holds a page to the size it was given, whatever its minimum.
    frame->SetSize(frame->GetMinSize());
  }
  SetSizeHints(wxDefaultSize, wxDefaultSize);
  Fit();
  ui::FixWindowSize(*this);
  Layout();
  notebook_->Layout();
  for (wxScrolledWindow* frame : pageFrames_) frame->FitInside();
}

void CVRXSheet::CreateButtonRow() {
  const wxSize buttonSize = ui::DluRectToPixels(this, 0, 0, kButtonWidth, kButtonHeight).GetSize();
  auto makeButton = [&](int id, std::string_view label) {
    return new wxButton(this, id, ui::FromCore(label), wxDefaultPosition, buttonSize);
  };
  // Created left to right, so that Tab follows the row.
  openButton_ = makeButton(kOpenId, ui_text::OpenButton());
  saveButton_ = makeButton(kSaveId, ui_text::SaveButton());
  exitButton_ = makeButton(kExitId, ui_text::ExitButton());
  writeButton_ = makeButton(kWriteId, ui_text::WriteButton());

  const int gap = ui::DluXToPixels(this, kButtonGap);
  const int margin = ui::DluXToPixels(this, kMargin);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->AddStretchSpacer();
  for (wxButton* button : {openButton_, saveButton_, exitButton_, writeButton_})
    row->Add(button, 0, wxLEFT, gap);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(notebook_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, margin);
  column->Add(row, 0, wxEXPAND | wxALL, margin);
  SetSizerAndFit(column);
  ui::FixWindowSize(*this);
  FitInto(wxDisplay(this).GetClientArea().GetSize());
}

wxButton* CVRXSheet::button(CommandId id) const {
  switch (id) {
    case kOpenId:
      return openButton_;
    case kSaveId:
      return saveButton_;
    case kExitId:
      return exitButton_;
    case kWriteId:
      return writeButton_;
    default:
      return nullptr;
  }
}

bool CVRXSheet::AnyModified() const {
  ConfigImage present = config_;
  // A text that cannot be stored is a change the user has not given up.
  if (const CSheetPage* page = ActivePage(); page && !page->PendingInto(present)) return true;
  return DiffersFromSaved(present, savedConfig_);
}

bool CVRXSheet::CommitActivePage() {
  if (CSheetPage* page = ActivePage(); page && !page->CommitBeforeSave()) {
    ui::ShowMessage(this, ui::FromCore(EditorMessage(editor_msg::kBadInputData)));
    return false;
  }
  return true;
}

void CVRXSheet::ApplyImport(const ConfigImage& imported) {
  BeginEdit();
  config_ = imported;
  EndEdit(*keyMapPage_, -1);
  if (CSheetPage* page = ActivePage()) page->ShowLoadedConfig();
}

void CVRXSheet::ShowFileTitle() {
  const wxString fileTitle = wxFileName(ui::FromCore(currentPath_)).GetFullName();
  SetTitle(ui::FromCore(kSheetCaption) + ui::FromCore(kTitleSeparator) + fileTitle.Left(255));
}

CSheetPage* CVRXSheet::ActivePage() const {
  const int selection = notebook_->GetSelection();
  return selection >= 0 && selection < kPageCount ? pages_[selection] : nullptr;
}

bool CVRXSheet::ConfirmDiscard() {
  const auto ask = [this] {
    switch (ui::ShowMessage(this, ui::FromCore(editor_msg::UnsavedChangesPrompt()),
                            wxYES_NO | wxCANCEL)) {
      case wxID_YES:
        return PromptAnswer::kYes;
      case wxID_NO:
        return PromptAnswer::kNo;
      default:
        return PromptAnswer::kCancel;
    }
  };
  return MayDropChanges(AnyModified(), ask, [this] { return OnSave(); });
}

void CVRXSheet::OnOpen() {
  if (!ConfirmDiscard()) return;
  const std::string path = AskDataFilePath(this, currentPath_, wxFD_OPEN);
  if (path.empty()) return;
  LoadDataFile(path);
}

void CVRXSheet::OpenDataFile(const std::string& path) {
  if (ConfirmDiscard()) LoadDataFile(path);
}

void CVRXSheet::OnFilesDropped(const std::vector<std::string>& paths) {
  // The rest of several files is left alone, without a word.
  if (!paths.empty()) OpenDataFile(paths.front());
}

void CVRXSheet::LoadDataFile(const std::string& path) {
  if (const DataFileError failure = ReadDataFile(PathFromUtf8(path), config_);
      failure != DataFileError::kNone) {
    ui::ShowMessage(this, ui::FromCore(EditorMessage(EditorMessageFor(failure))));
    return;
  }
  currentPath_ = path;
  savedConfig_ = config_;
  ShowFileTitle();
  if (CSheetPage* page = ActivePage()) page->ShowLoadedConfig();
  history_.Clear();
}

bool CVRXSheet::OnSave() {
  if (!CommitActivePage()) return false;
  const std::string path = AskDataFilePath(this, currentPath_, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (path.empty()) return false;
  if (!WriteDataFile(PathFromUtf8(path), config_)) {
    // Nothing was saved: the title and the prompt must still say so.
    ui::ShowMessage(this, ui::FromCore(EditorMessage(editor_msg::kFileOpenFailed)));
    return false;
  }
  currentPath_ = path;
  savedConfig_ = config_;
  ShowFileTitle();
  return true;
}

void CVRXSheet::OnExit() {
  if (ConfirmDiscard()) CloseSheet();
}

void CVRXSheet::OnWrite() {
  if (OffersSaveBeforeWrite(AnyModified(), currentPath_)) {
    const wxString prompt = ui::FromCore(editor_msg::SaveBeforeWritePrompt());
    if (ui::ShowMessage(this, prompt, wxOK | wxCANCEL) != wxID_OK) return;
    // The writer starts even without a save: it loses nothing.
    OnSave();
  }
  startWriter(this, currentPath_);
}

void CVRXSheet::CloseSheet() {
  SetReturnCode(wxID_CANCEL);
  if (IsModal())
    EndModal(wxID_CANCEL);
  else
    Hide();
}

void CVRXSheet::OnInitDialog(wxInitDialogEvent& event) {
  openButton_->SetDefault();
  openButton_->SetFocus();
  ui::ShowFocusRing(*this);
  event.Skip();
}

void CVRXSheet::OnPageChanging(wxBookCtrlEvent& event) {
  const int leaving = event.GetOldSelection();
  if (leaving >= 0 && leaving < kPageCount && !pages_[leaving]->OnKillActive()) event.Veto();
}

void CVRXSheet::OnPageChanged(wxBookCtrlEvent& event) {
  const int entered = event.GetSelection();
  if (entered >= 0 && entered < kPageCount) pages_[entered]->OnSetActive();
}

void CVRXSheet::OnCloseBox(wxCloseEvent& event) {
  if (event.CanVeto() && !ConfirmDiscard()) {
    event.Veto();
    return;
  }
  CloseSheet();
}

void CVRXSheet::OnContextMenu(wxContextMenuEvent&) {
  wxMenu menu;
  if (const std::string_view entry = EditorMessage(editor_msg::kAboutMenuEntry); !entry.empty()) {
    menu.Append(kAboutId, ui::FromCore(entry));
    menu.AppendSeparator();
  }
  menu.Append(kSaveLayoutId, ui::FromCore(editor_text::SaveLayoutMenuEntry()));
  AppendExchangeEntries(menu);
  menu.AppendSeparator();
  ui::AppendLanguageMenu(menu, profile_);
  const int chosen = GetPopupMenuSelectionFromUser(menu);
  if (ui::ChooseLanguage(profile_, chosen)) return;
  switch (chosen) {
    case kAboutId:
      ShowAboutBox();
      break;
    case kSaveLayoutId:
      AskAndSaveLayoutSheet();
      break;
    default:
      RunExchangeEntry(*this, chosen);
      break;
  }
}

void CVRXSheet::AskAndSaveLayoutSheet() {
  // The sheet shows what the pages show, typed texts included.
  if (!CommitActivePage()) return;
  // Only the formats this build can write are offered; the last is proposed.
  std::vector<std::string_view> extensions;
  for (const SheetFormat format : WritableSheetFormats())
    extensions.push_back(SheetFormatExtension(format));
  const int last = static_cast<int>(extensions.size()) - 1;
  const wxFileName current(ui::FromCore(currentPath_));
  wxFileDialog dialog(this, ui::FromCore(editor_text::SaveLayoutDialogTitle()), current.GetPath(),
                      current.GetName() + wxS(".") + ui::FromCore(extensions.back()),
                      ui::FromCore(editor_text::LayoutFileFilter(extensions)),
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  dialog.SetFilterIndex(last);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return;
  wxFileName chosen(dialog.GetPath());
  // A name without a writable extension gets the chosen filter's.
  const std::optional<SheetFormat> named = SheetFormatForPath(ui::ToPath(chosen.GetFullPath()));
  if (!named || !IsWritableSheetFormat(*named)) {
    const auto filter = static_cast<std::size_t>(std::clamp(dialog.GetFilterIndex(), 0, last));
    chosen.SetFullName(chosen.GetFullName() + wxS(".") + ui::FromCore(extensions[filter]));
  }
  SaveLayoutSheet(ui::ToCore(chosen.GetFullPath()));
}

void CVRXSheet::SaveLayoutSheet(const std::string& path) {
  const auto file = PathFromUtf8(path);
  const std::optional<SheetFormat> format = SheetFormatForPath(file);
  const std::string fileTitle =
      currentPath_.empty() ? std::string()
                           : ui::ToCore(wxFileName(ui::FromCore(currentPath_)).GetFullName());
  if (!format || !RenderLayoutSheet(LayOutSheet(config_, fileTitle), *format, file))
    ui::ShowMessage(this, ui::FromCore(editor_text::LayoutSaveFailed()));
}

void CVRXSheet::BeginEdit() {
  if (editDepth_++ > 0) return;
  editBefore_ = config_;
}

void CVRXSheet::RecordChange(const CSheetPage& page, int item, const ConfigImage& before,
                             const ConfigImage& after) {
  BeginEdit();
  editBefore_ = before;
  const ConfigImage present = config_;
  config_ = after;
  EndEdit(page, item);
  config_ = present;
}

void CVRXSheet::EndEdit(const CSheetPage& page, int item) {
  if (editDepth_ == 0 || --editDepth_ > 0) return;
  const auto index =
      static_cast<int>(std::find(pages_.begin(), pages_.end(), &page) - pages_.begin());
  if (index < kPageCount) history_.Record({index, item}, editBefore_, config_);
}

void CVRXSheet::Undo() { StepHistory(false); }
void CVRXSheet::Redo() { StepHistory(true); }

void CVRXSheet::StepHistory(bool forward) {
  // Text typed on the key map page becomes a step of its own first, so
  // that undo takes back the newest change.
  if (!CommitActivePage()) return;
  const std::optional<EditPlace> place = forward ? history_.Redo(config_) : history_.Undo(config_);
  if (!place) return;
  CSheetPage* page = pages_[static_cast<size_t>(place->page)];
  if (notebook_->GetSelection() != place->page) {
    // The page left has handed its controls over above.
    notebook_->ChangeSelection(static_cast<size_t>(place->page));
    page->OnSetActive();
  }
  page->ShowUndoneEdit(place->item);
}

void CVRXSheet::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  const int modifiers = event.GetModifiers();
  if (modifiers == wxMOD_CONTROL && key == 'Z') {
    Undo();
  } else if ((modifiers == wxMOD_CONTROL && key == 'Y') ||
             (modifiers == (wxMOD_CONTROL | wxMOD_SHIFT) && key == 'Z')) {
    Redo();
  } else {
    event.Skip();
  }
}

void CVRXSheet::ShowAboutBox() {
  ui::CAboutDialog about(this, kSheetCaption);
  about.ShowModal();
}

}  // namespace vrx::editor
