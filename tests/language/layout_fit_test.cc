#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/scrolwin.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include <string>
#include <vector>

#include "config/program_language.h"
#include "editor/gui/vrx_sheet.h"
#include "resources/language.h"
#include "tests/support/gui/event_pump.h"
#include "tests/support/memory_profile.h"
#include "ui/about_box.h"
#include "writer/gui/writer_dialog.h"

namespace vrx::test {
namespace {

std::string Describe(const wxWindow& window) {
  return std::string(wxString(window.GetClassInfo()->GetClassName()).utf8_str()) + " \"" +
         std::string(window.GetLabel().utf8_str()) + "\"";
}

bool ShowsText(const wxWindow& window) {
  return !window.GetLabel().empty() &&
         (dynamic_cast<const wxButton*>(&window) || dynamic_cast<const wxToggleButton*>(&window) ||
          dynamic_cast<const wxCheckBox*>(&window) || dynamic_cast<const wxStaticText*>(&window));
}

// What does not fit among `parent`'s shown children, and theirs.  A group
// box frames controls by design; it only has to stay inside its window.
// A label's text is what must stay clear of its neighbours; GTK pads its
// allocation.
wxRect Drawn(const wxWindow& control) {
  return dynamic_cast<const wxStaticText*>(&control)
             ? wxRect(control.GetPosition(), control.GetBestSize())
             : control.GetRect();
}

// A notebook places its pages itself; a scrolled page's controls have its
// whole scrolling area.
void FindProblems(wxWindow& parent, std::vector<std::string>& problems) {
  const bool placesItsChildren = dynamic_cast<const wxBookCtrlBase*>(&parent) != nullptr;
  const wxRect area(wxPoint(0, 0), dynamic_cast<const wxScrolledWindow*>(&parent)
                                       ? parent.GetVirtualSize()
                                       : parent.GetClientSize());
  std::vector<const wxWindow*> placed;
  for (wxWindow* child : parent.GetChildren()) {
    if (!child->IsShown() || child->IsTopLevel()) continue;
    const wxRect rect = child->GetRect();
    if (!placesItsChildren && !area.Contains(rect)) problems.push_back(Describe(*child) + " leaves its window");
    if (ShowsText(*child)) {
      // The text as the toolkit measures it, with the control's own frame.
      const wxSize needed = child->GetBestSize();
      if (needed.x > rect.width)
        problems.push_back(Describe(*child) + " is " + std::to_string(rect.width) +
                           " pixels wide, its text needs " + std::to_string(needed.x));
      if (dynamic_cast<const wxStaticText*>(child) && needed.y > rect.height)
        problems.push_back(Describe(*child) + " is cut off at the bottom");
    }
    if (!dynamic_cast<const wxStaticBox*>(child)) {
      for (const wxWindow* other : placed)
        if (Drawn(*child).Intersects(Drawn(*other)))
          problems.push_back(Describe(*child) + " covers " + Describe(*other));
      placed.push_back(child);
    }
    FindProblems(*child, problems);
  }
}

std::vector<std::string> Problems(wxWindow& window) {
  PumpPending();
  std::vector<std::string> problems;
  FindProblems(window, problems);
  return problems;
}

class LayoutFit : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override { ASSERT_TRUE(UseProgramLanguage(GetParam())); }
  void TearDown() override { UseProgramLanguage(Language::kJapanese); }

  MemoryProfile profile_;
};

TEST_P(LayoutFit, WriterDialog) {
  writer::CWriterDialog dialog(profile_, {});
  dialog.Show();
  EXPECT_EQ(Problems(dialog), std::vector<std::string>());
}

TEST_P(LayoutFit, EditorSheetOnEveryPage) {
  auto* sheet = new editor::CVRXSheet(profile_);
  sheet->Show();
  for (int page = 0; page < static_cast<int>(sheet->notebook()->GetPageCount()); ++page) {
    SCOPED_TRACE(page);
    sheet->notebook()->ChangeSelection(static_cast<size_t>(page));
    EXPECT_EQ(Problems(*sheet), std::vector<std::string>());
  }
  sheet->Destroy();
  PumpPending();
}

TEST_P(LayoutFit, AboutBoxes) {
  for (const char* program : {"VRXEditor", "VRXWriter"}) {
    ui::CAboutDialog about(nullptr, program);
    about.Show();
    EXPECT_EQ(Problems(about), std::vector<std::string>()) << program;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, LayoutFit,
                         ::testing::Values(Language::kJapanese, Language::kEnglish,
                                           Language::kPseudo),
                         [](const auto& info) {
                           return std::string(info.param == Language::kJapanese  ? "Japanese"
                                              : info.param == Language::kEnglish ? "English"
                                                                                 : "Pseudo");
                         });

}  // namespace
}  // namespace vrx::test
