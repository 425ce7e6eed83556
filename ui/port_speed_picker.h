// The port and speed lists of the LCD test and of the writer: the port names
// this machine offers, the offered speeds, the remembered choice shown as
// list entries, which device the chosen name stands for, and whether that
// device makes a Write slow.
#pragma once

#include <wx/arrstr.h>

#include <functional>
#include <string>

#include "config/port_settings.h"
#include "platform/port_diagnosis.h"
#include "ui/dialog_units.h"

class wxChoice;
class wxStaticText;
class wxWindow;

namespace vrx::ui {

// The entries of every speed list: the offered bit rates as numbers.
wxArrayString OfferedSpeedEntries();

// How a port name is shown in the port list.
enum class PortMatch {
  // The first entry that begins with the name (ignoring case), else no
  // selection; an empty name matches nothing.
  kEntryOrNone,
  // The first entry that begins with the name (ignoring case; an empty name
  // matches the first entry), else the selection stays as it was.
  kEntryOrUnchanged,
};

struct PortSpeedPickerStyle {
  int portId = -1;
  int speedId = -1;
  // The lists' template rectangles (the heights are the opened lists') and
  // the height of the row the closed lists are centred on.
  DluRect portRect;
  DluRect speedRect;
  int rowHeight = 0;
  bool sortPorts = false;
  PortMatch match = PortMatch::kEntryOrNone;
};

class PortSpeedPicker {
 public:
  // Creates the port list, then the speed list, as children of `parent`.
  PortSpeedPicker(wxWindow* parent, const PortSpeedPickerStyle& style);

  wxChoice& portList() const { return *port_; }
  wxChoice& speedList() const { return *speed_; }

  // Places both lists; again once they are shown, when the toolkit knows
  // their height for sure.
  void Place();

  // The labels of the row, left to right: before the port list, before the
  // speed list and after it.  Where a language's longer word would meet
  // the next control, Place moves the rest of the row right.
  void FlowWith(wxWindow* portLabel, wxWindow* speedLabel, wxWindow* unitLabel);

  // A label that also shows "name: device" for the chosen port.
  void ShowDeviceIn(wxStaticText* label) { deviceLabel_ = label; }

  // A label under the port list, shown only while the chosen port is an
  // FTDI adapter whose latency timer makes a Write slow, saying how slow
  // ("遅延 16 ms：書込みに約8分かかります").  `shownOrHidden` runs when it
  // appears or goes, for a window that makes room for it.
  void ShowLatencyWarningIn(wxStaticText* label, std::function<void()> shownOrHidden = {});

  // What is known of the device behind a port: DescribeSerialDevice, unless
  // a test stands in for the machine's adapters.
  using DeviceSource = std::function<SerialPortInfo(const std::string& devicePath)>;
  void DescribeDevicesWith(DeviceSource source);

  // Selects the entries for `settings`; a speed index outside the offered
  // ones leaves the speed list without a selection.
  void Show(const PortSettings& settings);
  // The chosen entries: the port's text (empty if none) and the speed index
  // (-1 if none).
  PortSettings Chosen() const;

  // "name: device" for the chosen port in the list's tip (and the device
  // label); no tip when no port is chosen.  Bound to the port list's choice.
  void ShowPortDevice();

 private:
  // Reads the chosen port's device again (on a choice, not on every
  // pointer movement): the warning label's text and visibility.
  void ShowLatencyWarning();

  PortSpeedPickerStyle style_;
  wxChoice* port_ = nullptr;
  wxChoice* speed_ = nullptr;
  wxStaticText* deviceLabel_ = nullptr;
  wxWindow* portLabel_ = nullptr;
  wxWindow* speedLabel_ = nullptr;
  wxWindow* unitLabel_ = nullptr;
  wxStaticText* warningLabel_ = nullptr;
  std::function<void()> warningShownOrHidden_;
  DeviceSource describe_ = DescribeSerialDevice;
};

}  // namespace vrx::ui
