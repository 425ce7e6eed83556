// The key matrix as one radio group, its picture, and the page's layout.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include <vector>

#include "editor/gui/key_matrix.h"
#include "tests/editor/gui/key_map_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"
#include "ui/dialog_units.h"

namespace vrx::editor::test {
namespace {

class KeyMatrixTest : public KeyMapPageTest {
 protected:
  KeyMatrixTest() {
    page_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent& event) {
      commands_.push_back(event.GetId());
      event.Skip();
    });
  }

  void Press(int keyCode) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = keyCode;
    key.SetEventObject(page_->keyMatrix());
    page_->keyMatrix()->ProcessWindowEvent(key);
  }

  std::vector<int> commands_;
};

TEST_F(KeyMatrixTest, ButtonsSitOnTheirDialogUnitPlaces) {
  KeyMatrix* matrix = page_->keyMatrix();
  const wxPoint origin = matrix->GetPosition();
  // Key 0 is the bottom-left button, key 127 the top-right one.
  EXPECT_EQ(matrix->KeyButtonRect(0).GetPosition() + origin, ui::DluToPixels(page_, 23, 184));
  EXPECT_EQ(matrix->KeyButtonRect(17).GetPosition() + origin, ui::DluToPixels(page_, 39, 168));
  EXPECT_EQ(matrix->KeyButtonRect(127).GetPosition() + origin, ui::DluToPixels(page_, 273, 72));
  EXPECT_EQ(matrix->KeyButtonRect(127).GetSize(),
            ui::DluRectToPixels(page_, 273, 72, 12, 12).GetSize());
  for (int key = 0; key < 128; ++key) {
    const wxRect button = matrix->KeyButtonRect(key);
    EXPECT_EQ(matrix->KeyAt(button.GetPosition()), key);
    EXPECT_EQ(matrix->KeyAt(button.GetBottomRight()), key);
    EXPECT_TRUE(wxRect(matrix->GetSize()).Contains(button)) << key;
  }
  EXPECT_EQ(matrix->KeyAt({0, 0}), -1);
}

TEST_F(KeyMatrixTest, ClickSelectsAndSendsTheKeyButtonsCommand) {
  ClickKey(77);
  ClickKey(77);
  EXPECT_EQ(commands_, (std::vector<int>{1005 + 77, 1005 + 77}));
  EXPECT_EQ(page_->keyMatrix()->selection(), 77);
  EXPECT_EQ(page_->keyMatrix(), wxWindow::FindFocus());

  // Between the buttons nothing happens.
  wxMouseEvent miss(wxEVT_LEFT_DOWN);
  miss.SetPosition({2, 2});
  page_->keyMatrix()->ProcessWindowEvent(miss);
  EXPECT_EQ(commands_.size(), 2u);
}

TEST_F(KeyMatrixTest, ArrowKeysMoveThroughTheMatrixAndStopAtItsEdges) {
  ClickKey(0);
  commands_.clear();
  Press(WXK_UP);  // row 0 is at the bottom: up is row 1
  Press(WXK_RIGHT);
  Press(WXK_DOWN);
  Press(WXK_LEFT);
  Press(WXK_LEFT);  // at column 0: no move
  Press(WXK_DOWN);  // at row 0: no move
  EXPECT_EQ(commands_, (std::vector<int>{1005 + 16, 1005 + 17, 1005 + 1, 1005 + 0}));
  ClickKey(127);
  commands_.clear();
  Press(WXK_UP);
  Press(WXK_RIGHT);
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ(page_->selectedKey(), 127);
  Press(WXK_SPACE);  // like a click on the selected key
  EXPECT_EQ(commands_, (std::vector<int>{1005 + 127}));
}

TEST_F(KeyMatrixTest, MoveRefusedByThePageReturnsToTheOldKey) {
  Type(page_->makeBox(), ",E0");
  vrx::test::DialogScript script;
  script.ExpectMessage("入力データに誤まりがあります。");
  Press(WXK_RIGHT);
  EXPECT_EQ(page_->keyMatrix()->selection(), 0);
  EXPECT_EQ(page_->selectedKey(), 0);
}

// Pixels of the matrix as it draws itself.
wxImage Rendered(KeyMatrix& matrix, bool focused) {
  wxBitmap bitmap(matrix.GetSize());
  {
    wxMemoryDC dc(bitmap);
    matrix.Render(dc, focused);
  }
  return bitmap.ConvertToImage();
}

TEST_F(KeyMatrixTest, PictureGridLinesPassThroughTheButtonCentres) {
  const wxImage picture = Rendered(*page_->keyMatrix(), false);
  ASSERT_TRUE(picture.IsOk());
  auto dark = [&](int x, int y) { return picture.GetRed(x, y) < 128; };
  // Away from the buttons, the indicator covers the crossing itself; the
  // reach scales with the buttons, so the check holds at every DPI.
  const int reach = page_->keyMatrix()->KeyButtonRect(0).width * 3 / 4;
  for (int key = 0; key < 128; ++key) {
    const wxRect button = page_->keyMatrix()->KeyButtonRect(key);
    const int x = button.x + button.width / 2;
    const int y = button.y + button.height / 2;
    EXPECT_TRUE(dark(x, y - reach) && dark(x, y + reach)) << "column line misses key " << key;
    EXPECT_TRUE(dark(x - reach, y) && dark(x + reach, y)) << "row line misses key " << key;
  }
  // The shaded block, COL3..COL8 of ROW0..ROW3, seen in the middle of the
  // grid's cells: the cell right of and above `key`.
  auto shaded = [&](int key) {
    const wxRect corner = page_->keyMatrix()->KeyButtonRect(key);
    const wxRect opposite = page_->keyMatrix()->KeyButtonRect(key + 17);
    const wxPoint middle = (corner.GetPosition() + opposite.GetBottomRight()) / 2;
    return picture.GetRed(middle.x, middle.y) > 200 && picture.GetGreen(middle.x, middle.y) < 230;
  };
  EXPECT_TRUE(shaded(3) && shaded(7) && shaded(2 * 16 + 3) && shaded(2 * 16 + 7));
  EXPECT_FALSE(shaded(1) || shaded(9) || shaded(4 * 16 + 5));
}

// How many pixels of `area` differ between two renderings.
int Differing(const wxImage& a, const wxImage& b, const wxRect& area) {
  int count = 0;
  for (int y = area.GetTop(); y <= area.GetBottom(); ++y) {
    for (int x = area.GetLeft(); x <= area.GetRight(); ++x) {
      count += a.GetRed(x, y) != b.GetRed(x, y) || a.GetGreen(x, y) != b.GetGreen(x, y) ||
               a.GetBlue(x, y) != b.GetBlue(x, y);
    }
  }
  return count;
}

TEST_F(KeyMatrixTest, SelectionAndFocusAreVisible) {
  KeyMatrix& matrix = *page_->keyMatrix();
  ClickKey(40);
  const wxImage plain = Rendered(matrix, false);
  const wxImage focused = Rendered(matrix, true);
  const wxRect selected = matrix.KeyButtonRect(40);
  // The frame around the selected button, and nowhere else.
  EXPECT_GT(Differing(plain, focused, wxRect(selected).Inflate(1)), 10);
  EXPECT_EQ(Differing(plain, focused, matrix.KeyButtonRect(41)), 0);
  // The checked button looks different from its unchecked self.
  ClickKey(41);
  EXPECT_GT(Differing(plain, Rendered(matrix, false), selected), 10);
}

TEST_F(KeyMatrixTest, ControlsDoNotOverlapAndStayOnThePage) {
  const wxRect pageRect = ui::DluRectToPixels(page_, 0, 0, 359, 299);
  // A label's text is what must stay clear; GTK pads its allocation.
  auto drawn = [](const wxWindow* control) {
    return dynamic_cast<const wxStaticText*>(control)
               ? wxRect(control->GetPosition(), control->GetBestSize())
               : control->GetRect();
  };
  std::vector<wxWindow*> controls;
  for (wxWindow* child : page_->GetChildren()) controls.push_back(child);
  // matrix, 3 labels, list, toggle, check box, 2 edits; the key tools: a
  // check box, a label, a list, another check box and 2 buttons
  ASSERT_EQ(controls.size(), 15u);
  for (size_t i = 0; i < controls.size(); ++i) {
    const wxRect rect = drawn(controls[i]);
    EXPECT_TRUE(pageRect.Contains(rect)) << controls[i]->GetName();
    for (size_t j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(rect.Intersects(drawn(controls[j])))
          << controls[i]->GetName() << " " << controls[i]->GetLabel() << " overlaps "
          << controls[j]->GetName() << " " << controls[j]->GetLabel();
    }
  }
  // The theme may make a control taller than its template rectangle, but
  // never narrower than it needs for its text.
  EXPECT_GE(page_->captureButton()->GetSize().x, page_->captureButton()->GetBestSize().x);
  EXPECT_GE(page_->typematicBox()->GetSize().x, page_->typematicBox()->GetBestSize().x);
}

}  // namespace
}  // namespace vrx::editor::test
