// The PNGs installed into the hicolor theme are the programs' own icon,
// pixel for pixel: a changed drawing without re-made PNGs fails here
// (packaging/icons/make-icons.sh re-makes them).
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/image.h>

#include <string>

#include "packaging/icons/icon_sizes.h"
#include "ui/program_icon.h"

namespace vrx::test {
namespace {

TEST(ThemeIcons, MatchTheIconTheProgramsDraw) {
  wxInitAllImageHandlers();
  for (int size : kThemeIconSizes) {
    SCOPED_TRACE(size);
    const wxString path =
        wxString::FromUTF8(std::string(VRX_SOURCE_DIR) + "/packaging/icons/vrx7100-tools-" +
                           std::to_string(size) + ".png");
    wxImage stored;
    ASSERT_TRUE(stored.LoadFile(path, wxBITMAP_TYPE_PNG)) << path.utf8_string();
    wxBitmap bitmap;
    bitmap.CopyFromIcon(ui::ProgramIcon(size));
    const wxImage drawn = bitmap.ConvertToImage();
    ASSERT_EQ(stored.GetSize(), drawn.GetSize());
    ASSERT_TRUE(stored.HasAlpha());
    ASSERT_TRUE(drawn.HasAlpha());
    int differing = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        differing += stored.GetRed(x, y) != drawn.GetRed(x, y) ||
                     stored.GetGreen(x, y) != drawn.GetGreen(x, y) ||
                     stored.GetBlue(x, y) != drawn.GetBlue(x, y) ||
                     stored.GetAlpha(x, y) != drawn.GetAlpha(x, y);
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace vrx::test
