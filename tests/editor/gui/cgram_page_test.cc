// The CGRAM page's dots, layout, painting and profile values.
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "resources/message_table.h"
#include "tests/editor/gui/cgram_test_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::test {
namespace {

using CgramDots = CgramPageTest;

TEST_F(CgramDots, LeftSetsAndRightClearsTheBitOfThePressedDot) {
  ShowPage();
  EXPECT_EQ(config_.cgram, (std::array<uint8_t, 64>{}));

  Press(DotCentre(0, 0, 0), true);
  EXPECT_EQ(config_.cgram[0], 0x10);
  Press(DotCentre(0, 0, 4), true);
  EXPECT_EQ(config_.cgram[0], 0x11);
  Press(DotCentre(0, 0, 0), false);
  EXPECT_EQ(config_.cgram[0], 0x01);

  // Character c, row r is byte 8c + r, in both rows of cells.
  Press(DotCentre(6, 7, 2), true);
  EXPECT_EQ(config_.cgram[55], 0x04);
  Press(DotCentre(3, 4, 1), true);
  EXPECT_EQ(config_.cgram[28], 0x08);
  int lit = 0;
  for (uint8_t pattern : config_.cgram) lit += __builtin_popcount(pattern);
  EXPECT_EQ(lit, 3);
}

TEST_F(CgramDots, TheUpperBitsOfLoadedBytesSurviveEdits) {
  config_.cgram[9] = 0xE0;
  ShowPage();
  Press(DotCentre(1, 1, 0), true);
  EXPECT_EQ(config_.cgram[9], 0xF0);
  Press(DotCentre(1, 1, 0), false);
  EXPECT_EQ(config_.cgram[9], 0xE0);
}

TEST_F(CgramDots, PressesThatHitNoDotChangeNothing) {
  ShowPage();
  const wxRect cell = page_->CellRect(2);
  struct Miss {
    wxPoint point;
    bool left;
  };
  const Miss misses[] = {
      {{cell.x + 80, cell.y + 8}, true},   // right of the fifth column
      {{cell.x + 8, cell.y + 128}, true},  // below the eighth row
      {{cell.x - 4, cell.y + 8}, true},    // beside the cell
      {{2, 2}, true},                      // the page's corner
      {DotCentre(5, 3, 3), false},         // an unlit dot, cleared again
  };
  for (const Miss& miss : misses) Press(miss.point, miss.left);
  EXPECT_EQ(config_.cgram, (std::array<uint8_t, 64>{}));
}

TEST_F(CgramDots, EveryDotOfEveryCharacterCanBeClicked) {
  ShowPage();
  for (int c = 0; c < 8; ++c) {
    const wxRect cell = page_->CellRect(c);
    EXPECT_GE(cell.width, 80);
    EXPECT_GE(cell.height, 128);
    for (int other = c + 1; other < 8; ++other)
      EXPECT_FALSE(cell.Intersects(page_->CellRect(other))) << c << " and " << other;
  }
  // Light every dot by clicking it; each byte ends as 0x1F.
  for (int c = 0; c < 8; ++c)
    for (int row = 0; row < 8; ++row)
      for (int column = 0; column < 5; ++column) Press(DotCentre(c, row, column), true);
  for (uint8_t pattern : config_.cgram) EXPECT_EQ(pattern, 0x1F);
}

TEST_F(CgramDots, ARealClickOnTheScreenReachesThePage) {
  ShowPage();
  // Other GUI tests may share the display: keep clear of the corner where
  // their windows open, and stay on top.
  frame_->Move(620, 520);
  frame_->Raise();
  PumpPending();
  wxUIActionSimulator mouse;
  mouse.MouseMove(page_->ClientToScreen(DotCentre(4, 2, 3)));
  mouse.MouseClick(wxMOUSE_BTN_LEFT);
  ASSERT_TRUE(PumpUntil([&] { return config_.cgram[34] != 0; }));
  EXPECT_EQ(config_.cgram[34], 0x02);

  // The labels above the cells let presses through to the page: a stroke
  // begun on one lights the dots it is dragged over.
  wxWindow* label = nullptr;
  for (wxWindow* child : page_->GetChildren())
    if (auto* text = wxDynamicCast(child, wxStaticText); text && text->GetLabel() == wxS("05"))
      label = text;
  ASSERT_NE(label, nullptr);
  mouse.MouseMove(label->GetScreenRect().GetPosition() + wxPoint(3, 3));
  // The left button: the right one opens the character's menu there.
  mouse.MouseDown(wxMOUSE_BTN_LEFT);
  mouse.MouseMove(page_->ClientToScreen(DotCentre(5, 0, 0)));
  mouse.MouseUp(wxMOUSE_BTN_LEFT);
  EXPECT_TRUE(PumpUntil([&] { return config_.cgram[40] == 0x10; }));
}

// The page's picture of its characters, with the colour at a page point as
// "RRGGBB".
class Picture {
 public:
  explicit Picture(const editor::CCGRAMPage& page) {
    const wxSize size = page.GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxRED_BRUSH);
    dc.Clear();
    page.DrawCharacters(dc);
    dc.SelectObject(wxNullBitmap);
    image_ = bitmap.ConvertToImage();
  }
  std::string At(const wxPoint& point) const {
    return std::string(wxString::Format(wxS("%02X%02X%02X"), image_.GetRed(point.x, point.y),
                                        image_.GetGreen(point.x, point.y),
                                        image_.GetBlue(point.x, point.y))
                           .utf8_str());
  }

 private:
  wxImage image_;
};

TEST_F(CgramDots, EachDotIsDrawnFromItsBit) {
  config_.cgram[8 * 7 + 5] = 0x15;  // character 7, row 5: dots 0, 2, 4
  config_.cgram[0] = 0xE0;          // bits above the grid draw nothing
  ShowPage();
  const Picture picture(*page_);
  for (int column = 0; column < 5; ++column) {
    const bool lit = column % 2 == 0;
    EXPECT_EQ(picture.At(DotCentre(7, 5, column)), lit ? "000000" : "FFFFFF") << column;
    EXPECT_EQ(picture.At(DotCentre(0, 0, column)), "FFFFFF") << column;
  }
  EXPECT_EQ(picture.At(DotCentre(7, 4, 0)), "FFFFFF");
  // Each 16 x 16 image: white margin, then the light grey frame.
  const wxRect cell = page_->CellRect(7);
  const wxPoint dot(cell.x + 16 * 2, cell.y + 16 * 5);
  EXPECT_EQ(picture.At(dot + wxPoint(0, 7)), "FFFFFF");
  EXPECT_EQ(picture.At(dot + wxPoint(1, 7)), "C0C0C0");
  EXPECT_EQ(picture.At(dot + wxPoint(2, 7)), "000000");
  EXPECT_EQ(picture.At(dot + wxPoint(14, 7)), "C0C0C0");
  EXPECT_EQ(picture.At(dot + wxPoint(15, 15)), "FFFFFF");
  // Nothing is drawn beside the cells.
  EXPECT_EQ(picture.At({cell.x - 2, cell.y + 8}), "FF0000");
}

TEST_F(CgramDots, EditsAndLoadedDataReachTheScreen) {
  ShowPage();
  int paints = 0;
  page_->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
    ++paints;
    event.Skip();
  });
  Press(DotCentre(1, 1, 1), true);
  EXPECT_TRUE(PumpUntil([&] { return paints > 0; }));
  const int afterPress = paints;
  page_->ShowLoadedConfig();
  EXPECT_TRUE(PumpUntil([&] { return paints > afterPress; }));
}

TEST_F(CgramDots, NoControlsOverlapAndAllLieOnThePage) {
  ShowPage();
  const wxRect pageRect(page_->GetClientSize());
  std::vector<wxRect> rects;
  for (int c = 0; c < 8; ++c) rects.push_back(page_->CellRect(c));
  for (wxWindow* child : page_->GetChildren()) {
    const wxRect rect = child->GetRect();
    EXPECT_TRUE(pageRect.Contains(rect)) << child->GetLabel().utf8_str().data();
    rects.push_back(rect);
  }
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = i + 1; j < rects.size(); ++j)
      EXPECT_FALSE(rects[i].Intersects(rects[j]))
          << i << " (" << rects[i].x << "," << rects[i].y << " " << rects[i].width << "x"
          << rects[i].height << ") and " << j << " (" << rects[j].x << "," << rects[j].y << " "
          << rects[j].width << "x" << rects[j].height << ")";
}

using CgramProfile = CgramPageTest;

TEST_F(CgramProfile, TheListsShowTheStoredPortAndSpeedOrTheDefaults) {
  ShowPage();
  EXPECT_EQ(PortList().GetStringSelection(), wxS("COM1"));
  EXPECT_EQ(SpeedList().GetStringSelection(), wxS("38400"));
  EXPECT_EQ(PortList().GetCount(), 9u);
  EXPECT_EQ(SpeedList().GetCount(), 6u);
  frame_->Destroy();

  StoreProfile("com3", 1);
  ShowPage();
  EXPECT_EQ(PortList().GetStringSelection(), wxS("COM3"));
  EXPECT_EQ(SpeedList().GetStringSelection(), wxS("9600"));
}

TEST_F(CgramProfile, AStoredSpeedOutsideTheListShowsNoneAndTheTestCannotOpen) {
  StoreProfile("COM3", 6);  // 128000: a rate the list does not offer
  ShowPage();
  EXPECT_EQ(SpeedList().GetSelection(), wxNOT_FOUND);

  DialogScript boxes;  // the cause below the editor's own text
  boxes.ExpectMessage(std::string(EditorMessage(editor_msg::kPortOpenFailed)) +
                      "\n速度が選択されていません。");
  ClickTest();
  EXPECT_TRUE(boxes.AllMet());
  ASSERT_EQ(boxes.messages().size(), 1u);
  EXPECT_EQ(boxes.messages()[0].caption, "VRXEditor");
  EXPECT_EQ(StoredPort(), "COM3");
  EXPECT_EQ(StoredSpeed(), -1);
}

TEST_F(CgramProfile, NoPortChosenIsReportedAndRemembered) {
  StoreProfile("COM12", 2);  // no entry begins with it
  ShowPage();
  EXPECT_EQ(PortList().GetSelection(), wxNOT_FOUND);

  DialogScript boxes;
  boxes.ExpectMessage(std::string(EditorMessage(editor_msg::kNoPortSelected)));
  ClickTest();
  EXPECT_EQ(StoredPort(), "");
  EXPECT_EQ(StoredSpeed(), 2);
}

TEST_F(CgramProfile, LeavingThePageTakesTheListsAndReturningShowsTheFields) {
  ShowPage();
  PortList().SetSelection(PortList().FindString(wxS("COM7")));
  SpeedList().SetSelection(0);
  EXPECT_TRUE(page_->OnKillActive());
  EXPECT_EQ(page_->portName, "COM7");
  EXPECT_EQ(page_->speedIndex, 0);

  page_->portName = "COM2";
  page_->speedIndex = 5;
  page_->OnSetActive();
  EXPECT_EQ(PortList().GetStringSelection(), wxS("COM2"));
  EXPECT_EQ(SpeedList().GetStringSelection(), wxS("57600"));
}

}  // namespace
}  // namespace vrx::test
