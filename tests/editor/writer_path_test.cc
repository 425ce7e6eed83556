// Which program the editor's 書込み starts, and with which arguments.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/gui/writer_launch.h"

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
  EXPECT_EQ(WriterArguments("/x/tool", "/d/k.vrx"),
            (std::vector<std::string>{"/x/tool", "/d/k.vrx"}));
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
  for (const auto& [editor, writer] : cases)
    EXPECT_EQ(editor::WriterPathForWindows(editor).string(), writer) << editor;
}

}  // namespace
}  // namespace vrx::test
