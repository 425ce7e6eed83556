// The programs' message boxes speak Japanese on their buttons whatever the
// user's locale, since their texts are Japanese.
#include <gtest/gtest.h>
#include <wx/msgdlg.h>

#include "tests/support/gui/dialog_script.h"
#include "ui/message_box.h"

namespace vrx::test {
namespace {

struct Labels {
  std::string yes, no, cancel, ok;
};

Labels ShownLabels(long style) {
  Labels labels;
  DialogScript script;
  script.ExpectDialog("the message box", [&labels](wxDialog& dialog) {
    auto* box = dynamic_cast<wxMessageDialog*>(&dialog);
    if (!box) return static_cast<int>(wxID_CANCEL);
    labels = {box->GetYesLabel().utf8_string(), box->GetNoLabel().utf8_string(),
              box->GetCancelLabel().utf8_string(), box->GetOKLabel().utf8_string()};
    return static_cast<int>(wxID_CANCEL);
  });
  ui::ShowMessage(nullptr, wxS("text"), style);
  return labels;
}

TEST(MessageBox, ButtonsAreJapaneseForEveryStyle) {
  const Labels question = ShownLabels(wxYES_NO | wxCANCEL);
  EXPECT_EQ(question.yes, "はい");
  EXPECT_EQ(question.no, "いいえ");
  EXPECT_EQ(question.cancel, "キャンセル");
  const Labels confirmation = ShownLabels(wxOK | wxCANCEL);
  EXPECT_EQ(confirmation.ok, "OK");
  EXPECT_EQ(confirmation.cancel, "キャンセル");
}

}  // namespace
}  // namespace vrx::test
