// The key matrix picture compiled into the editor is the PNG in resources/.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace vrx::editor {
namespace {

const std::string kPicturePath = VRX_SOURCE_DIR "/resources/keymap/key_matrix.png";

TEST(KeyMatrixPicture, EmbeddedBytesAreThePictureFile) {
  std::ifstream png(kPicturePath, std::ios::binary);
  const std::vector<unsigned char> file{std::istreambuf_iterator<char>(png), {}};
  std::ifstream inc(VRX_SOURCE_DIR "/resources/keymap/key_matrix_png.inc");
  const std::string text{std::istreambuf_iterator<char>(inc), {}};
  std::vector<unsigned char> embedded;
  const std::regex byte("0x([0-9A-F]{2})");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), byte); it != std::sregex_iterator();
       ++it) {
    embedded.push_back(static_cast<unsigned char>(std::stoi((*it)[1], nullptr, 16)));
  }
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(embedded, file) << "run resources/keymap/make_key_matrix_bitmap.py";
}

}  // namespace
}  // namespace vrx::editor
