// The programs' message boxes: the exclamation icon, Japanese buttons in the
// order the programs describe (はい / いいえ / キャンセル) whatever the desktop's
// own order, and the answers that Enter, Esc and each button give.
#include <gtest/gtest.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/statbmp.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/module_path.h"
#include "tests/support/gui/dialog_script.h"
#include "ui/message_box.h"

namespace vrx::test {
namespace {

// Captions of the box's buttons from left to right, read off their places.
std::vector<std::string> ButtonsLeftToRight(const ui::MessageBox& box) {
  std::vector<wxWindow*> buttons;
  for (wxWindow* child : box.GetChildren())
    if (dynamic_cast<wxButton*>(child)) buttons.push_back(child);
  std::ranges::sort(buttons, {}, [](wxWindow* button) { return button->GetPosition().x; });
  std::vector<std::string> labels;
  for (wxWindow* button : buttons) labels.push_back(button->GetLabel().utf8_string());
  return labels;
}

bool SamePixels(const wxBitmap& shown, const wxBitmap& expected) {
  const wxImage a = shown.ConvertToImage();
  const wxImage b = expected.ConvertToImage();
  return a.GetSize() == b.GetSize() &&
         std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

// Runs `inspect` on the box ShowMessage opens, answered with `answer`.
int Show(long style, const std::function<void(ui::MessageBox&)>& inspect,
         int answer = wxID_CANCEL) {
  DialogScript script;
  script.ExpectDialog("the message box", [&](wxDialog& dialog) {
    auto* box = dynamic_cast<ui::MessageBox*>(&dialog);
    EXPECT_NE(box, nullptr) << DescribeDialog(dialog);
    if (box) inspect(*box);
    return answer;
  });
  return ui::ShowMessage(nullptr, wxS("データは更新されています。保存しますか？"), style);
}

TEST(MessageBox, EveryStyleHasTheExclamationIconAndItsButtonsInOrder) {
  struct Case {
    long style;
    std::vector<std::string> buttons;
    int enter, escape;
  };
  const Case cases[] = {
      {wxOK, {"OK"}, wxID_OK, wxID_OK},
      {wxOK | wxCANCEL, {"OK", "キャンセル"}, wxID_OK, wxID_CANCEL},
      {wxYES_NO | wxCANCEL, {"はい", "いいえ", "キャンセル"}, wxID_YES, wxID_CANCEL},
  };
  const wxBitmap warning =
      wxArtProvider::GetBitmap(wxASCII_STR(wxART_WARNING), wxASCII_STR(wxART_MESSAGE_BOX));
  ASSERT_TRUE(warning.IsOk());
  for (const Case& c : cases) {
    Show(c.style, [&](ui::MessageBox& box) {
      EXPECT_EQ(ButtonsLeftToRight(box), c.buttons) << c.style;
      ASSERT_NE(box.icon(), nullptr);
      EXPECT_TRUE(SamePixels(box.icon()->GetBitmap(), warning)) << "the exclamation icon";
      EXPECT_LT(box.icon()->GetPosition().x, box.buttons().front()->GetPosition().x);
      EXPECT_EQ(box.GetAffirmativeId(), c.enter);
      EXPECT_EQ(box.GetEscapeId(), c.escape);
      EXPECT_EQ(box.GetTitle().utf8_string(), ProgramName()) << "captioned with the program";
    });
  }
}

TEST(MessageBox, EachButtonGivesItsOwnAnswer) {
  // The buttons are the box's own, so each must end the box with its id.
  for (const int id : {wxID_YES, wxID_NO, wxID_CANCEL}) {
    int clicked = wxID_NONE;
    Show(
        wxYES_NO | wxCANCEL,
        [&](ui::MessageBox& box) {
          for (wxButton* button : box.buttons()) {
            if (button->GetId() != id) continue;
            wxCommandEvent click(wxEVT_BUTTON, id);
            click.SetEventObject(button);
            button->ProcessWindowEvent(click);
            clicked = box.GetReturnCode();
          }
        },
        id);
    EXPECT_EQ(clicked, id);
  }
}

}  // namespace
}  // namespace vrx::test
