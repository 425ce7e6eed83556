// Which program the editor's 書込み starts, and with which arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "editor/core/writer_path.h"
#include "platform/utf8_path.h"

namespace vrx::test {
namespace {

using editor::WriterArguments;
using editor::WriterPathFor;

TEST(WriterPath, TheEditorsNameIsReplacedAndAnyOtherNameStartsItselfAgain) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/vrx/VRXEditor", "/opt/vrx/VRXWriter"},
      {"/usr/bin/vrxeditor", "/usr/bin/vrxwriter"},
      {"C:/TOOLS/VRXEDITOR.EXE", "C:/TOOLS/VRXWRITER.EXE"},
      {"/a b/VRXEditor.exe", "/a b/VRXWriter.exe"},
      {"/x/VrxEditor", "/x/VRXWriter"},
      {"/home/u/my-editor", "/home/u/my-editor"},
      {"/VRXEditor/editor", "/VRXEditor/editor"},
      {"/x/VRXEditor2", "/x/VRXEditor2"},
      {"/x/VRXEditor.exe.bak", "/x/VRXEditor.exe.bak"},
  };
  for (const auto& [editor, writer] : cases) EXPECT_EQ(WriterPathFor(editor), writer) << editor;
  // The writer (by the platform's rule) and the data file as it was given,
  // both as UTF-8.
  const std::vector<std::string> arguments =
      WriterArguments(PathFromUtf8("/データ/VRXEditor.exe"), "/d/キー.vrx");
  ASSERT_EQ(arguments.size(), 2u);
  std::string writer = arguments[0];
  std::ranges::transform(writer, writer.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  EXPECT_EQ(writer, "/データ/vrxwriter.exe");
  EXPECT_EQ(arguments[1], "/d/キー.vrx");
}

// The Windows programs' rule: the whole path upper-cased, every
// "VRXEDITOR.EXE" replaced, a path without it starting the editor again.
TEST(WriterPath, TheWindowsRuleUpperCasesThePathAndReplacesEveryEditorName) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files\\VRX\\VRXEditor.exe", "C:\\PROGRAM FILES\\VRX\\VRXWRITER.EXE"},
      {"c:\\tools\\vrxeditor.exe", "C:\\TOOLS\\VRXWRITER.EXE"},
      {"D:\\vrxeditor.exe\\VRXEditor.exe", "D:\\VRXWRITER.EXE\\VRXWRITER.EXE"},
      {"C:\\x\\MyEditor.exe", "C:\\X\\MYEDITOR.EXE"},
      {"C:\\x\\VRXEditor.exe.bak", "C:\\X\\VRXWRITER.EXE.BAK"},
      {"C:\\データ\\VRXEditor.exe", "C:\\データ\\VRXWRITER.EXE"},
  };
  // Through UTF-8 both ways: the folder outside ASCII must survive.
  for (const auto& [editor, writer] : cases)
    EXPECT_EQ(Utf8FromPath(editor::WriterPathForWindows(PathFromUtf8(editor))), writer) << editor;
}

}  // namespace
}  // namespace vrx::test
