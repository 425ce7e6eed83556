#include "key_map_page.h"

#include "key_capture.h"

namespace vrx::editor {

CKeyMapPage::CKeyMapPage(wxWindow* parent, ConfigImage& config) : CSheetPage(parent, config) {}

CKeyMapPage::~CKeyMapPage() = default;

void CKeyMapPage::ShowSelectedKey() {}

bool CKeyMapPage::CommitEdits() { return true; }

bool CKeyMapPage::OnKillActive() { return CommitEdits(); }

void CKeyMapPage::OnSetActive() {}

void CKeyMapPage::CaptureKey(unsigned) {}

}  // namespace vrx::editor
