#include "ui/port_speed_picker.h"

#include "ui/control_fitting.h"

#include <wx/choice.h>
#include <wx/stattext.h>

#include <string>
#include <utility>

#include "config/bit_rate.h"
#include "device/usb_adapter.h"
#include "platform/port_names.h"
#include "resources/port_messages.h"
#include "ui/control_fitting.h"
#include "ui/dialog_layout.h"
#include "ui/text_conversion.h"

namespace vrx::ui {
namespace {

wxArrayString PortEntries() {
  wxArrayString entries;
  for (const std::string& name : OfferedPortNames()) entries.Add(FromCore(name));
  return entries;
}

int FirstEntryBeginningWith(const wxChoice& list, const wxString& prefix) {
  const wxString wanted = prefix.Lower();
  for (unsigned int i = 0; i < list.GetCount(); ++i)
    if (list.GetString(i).Lower().StartsWith(wanted)) return static_cast<int>(i);
  return wxNOT_FOUND;
}

// "" unless the device's latency timer makes a Write slow.
std::string SlowAdapterWarning(const SerialPortInfo& device) {
  if (!device.exists || !LatencyMakesWriteSlow(device.latencyTimerMs)) return {};
  const WriteTimeToTell time = ExpectedWriteTimeToTell(device.latencyTimerMs);
  return port_msg::SlowAdapter(device.latencyTimerMs, time.amount, time.inMinutes);
}

}  // namespace

wxArrayString OfferedSpeedEntries() {
  wxArrayString entries;
  for (int index = 0; index < kOfferedSpeedCount; ++index)
    entries.Add(wxString::Format(wxS("%d"), BitRateForSpeedIndex(index)));
  return entries;
}

PortSpeedPicker::PortSpeedPicker(wxWindow* parent, const PortSpeedPickerStyle& style)
    : style_(style) {
  port_ = new wxChoice(parent, style.portId, wxDefaultPosition, wxDefaultSize, PortEntries(),
                       style.sortPorts ? wxCB_SORT : 0);
  speed_ =
      new wxChoice(parent, style.speedId, wxDefaultPosition, wxDefaultSize, OfferedSpeedEntries());
  port_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    ShowPortDevice();
    ShowLatencyWarning();
  });
  // A tip shown while the list opens would stay on top of the opened list
  // (Windows): it goes with the click and comes back when the pointer does.
  port_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
    port_->UnsetToolTip();
    event.Skip();
  });
  port_->Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& event) {
    ShowPortDevice();
    event.Skip();
  });
  Place();
}

void PortSpeedPicker::FlowWith(wxWindow* portLabel, wxWindow* speedLabel, wxWindow* unitLabel) {
  portLabel_ = portLabel;
  speedLabel_ = speedLabel;
  unitLabel_ = unitLabel;
  Place();
}

void PortSpeedPicker::Place() {
  PlaceDropDown(*port_, style_.portRect, style_.rowHeight);
  PlaceDropDown(*speed_, style_.speedRect, style_.rowHeight);
  if (!portLabel_ || !speedLabel_ || !unitLabel_) return;
  constexpr int kGapDlu = 1;  // the templates keep 2, rounding aside
  KeepRightOf(*port_, *portLabel_, kGapDlu);
  KeepRightOf(*speedLabel_, *port_, kGapDlu);
  KeepRightOf(*speed_, *speedLabel_, kGapDlu);
  KeepRightOf(*unitLabel_, *speed_, kGapDlu);
}

void PortSpeedPicker::Show(const PortSettings& settings) {
  const bool noName = settings.portName.empty() && style_.match == PortMatch::kEntryOrNone;
  const int port =
      noName ? wxNOT_FOUND : FirstEntryBeginningWith(*port_, FromCore(settings.portName));
  if (port != wxNOT_FOUND || style_.match == PortMatch::kEntryOrNone) port_->SetSelection(port);
  const bool offered = settings.speedIndex >= 0 && settings.speedIndex < kOfferedSpeedCount;
  speed_->SetSelection(offered ? settings.speedIndex : wxNOT_FOUND);
  ShowPortDevice();
  ShowLatencyWarning();
}

PortSettings PortSpeedPicker::Chosen() const {
  const int port = port_->GetSelection();
  return {
      port == wxNOT_FOUND ? std::string() : ToCore(port_->GetString(static_cast<unsigned>(port))),
      speed_->GetSelection()};
}

void PortSpeedPicker::ShowPortDevice() {
  const std::string name = Chosen().portName;
  const wxString text =
      name.empty() ? wxString()
                   : FromCore(name + ": " + port_msg::PortDescription(LocatePortName(name)));
  if (deviceLabel_) deviceLabel_->SetLabel(text);
  if (text.empty())
    port_->UnsetToolTip();
  else
    port_->SetToolTip(text);
}

void PortSpeedPicker::ShowLatencyWarningIn(wxStaticText* label,
                                           std::function<void()> shownOrHidden) {
  warningLabel_ = label;
  warningShownOrHidden_ = std::move(shownOrHidden);
  warningLabel_->Hide();
  ShowLatencyWarning();
}

void PortSpeedPicker::DescribeDevicesWith(DeviceSource source) {
  describe_ = std::move(source);
  ShowLatencyWarning();
}

void PortSpeedPicker::ShowLatencyWarning() {
  if (!warningLabel_) return;
  const std::string name = Chosen().portName;
  const std::string path = name.empty() ? std::string() : ResolvePortName(name);
  const std::string warning = path.empty() ? std::string() : SlowAdapterWarning(describe_(path));
  warningLabel_->SetLabel(FromCore(warning));
  const bool show = !warning.empty();
  if (warningLabel_->IsShown() == show) return;
  warningLabel_->Show(show);
  if (warningShownOrHidden_) warningShownOrHidden_();
}

}  // namespace vrx::ui
