// vrxtool ports: the serial ports of this machine, with the COM names the
// programs know them by, their USB identity and who may or does use them.
#include <iostream>
#include <memory>

#include "config/settings_problems.h"
#include "device/usb_adapter.h"
#include "platform/port_names.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/json_events.h"
#include "tools/vrxtool/port_listing.h"

namespace vrxtool {
namespace {

std::string Users(const std::vector<vrx::PortUser>& users) {
  std::string text;
  for (const auto& user : users)
    text += (text.empty() ? "" : ", ") + std::to_string(user.pid) + " (" + user.command + ")";
  return text;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : " ") + name;
  return text;
}

void PrintText(const std::vector<ListedPort>& ports) {
  if (ports.empty()) {
    std::cout << "No serial ports found.\n";
    return;
  }
  for (const auto& port : ports) {
    const auto& info = port.info;
    std::cout << (port.comNames.empty() ? "-" : Joined(port.comNames)) << "  "
              << vrx::PortNameForUser(info.devicePath) << (info.exists ? "" : "  (missing)")
              << '\n';
    if (!info.exists) continue;
    // Windows' friendly name ("USB Serial Port (COM3)"); Linux shows USB
    // identities below.
    if (info.vendorId.empty() && !info.product.empty())
      std::cout << "    device   " << info.product << '\n';
    if (!info.byIdPath.empty()) std::cout << "    by-id    " << info.byIdPath << '\n';
    if (!info.vendorId.empty()) {
      std::cout << "    usb      " << info.vendorId << ':' << info.productId;
      for (const auto& part : {info.manufacturer, info.product})
        if (!part.empty()) std::cout << "  " << part;
      if (!info.serialNumber.empty()) std::cout << "  serial " << info.serialNumber;
      std::cout << '\n';
    }
    if (const std::string chip = AdapterChipName(info); !chip.empty()) {
      std::cout << "    chip     " << chip << '\n';
    }
    if (!info.driver.empty() || info.latencyTimerMs >= 0) {
      std::cout << "    driver   " << (info.driver.empty() ? "-" : info.driver);
      if (info.latencyTimerMs >= 0) {
        std::cout << ", latency timer " << info.latencyTimerMs << " ms (a Write takes "
                  << ExpectedWriteText(info.latencyTimerMs) << ')';
      }
      std::cout << '\n';
    }
    std::cout << "    access   " << (info.accessible ? "yes" : "no");
    if (!info.group.empty()) std::cout << " (group " << info.group << ')';
    std::cout << '\n';
    if (!port.users.empty()) std::cout << "    held by  " << Users(port.users) << '\n';
  }
}

// One port per line, as the event stream writes its events.
void PrintJson(const std::vector<ListedPort>& ports) {
  std::string text = "[";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const auto& port = ports[i];
    const auto& info = port.info;
    JsonObject users = JsonObject::array();
    for (const auto& user : port.users)
      users.push_back({{"pid", user.pid}, {"command", user.command}});
    const JsonObject entry = {
        {"names", port.comNames},
        {"device", info.devicePath},
        {"exists", info.exists},
        {"by_id", info.byIdPath},
        {"vendor_id", info.vendorId},
        {"product_id", info.productId},
        {"manufacturer", info.manufacturer},
        {"product", info.product},
        {"serial", info.serialNumber},
        {"chip", AdapterChipName(info)},
        {"driver", info.driver},
        {"latency_timer_ms", info.latencyTimerMs >= 0 ? JsonObject(info.latencyTimerMs) : nullptr},
        {"expected_write_s",
         info.latencyTimerMs >= 0
             ? JsonObject(static_cast<int>(
                   vrx::ExpectedWriteTime(std::chrono::milliseconds(info.latencyTimerMs)).count()))
             : nullptr},
        {"group", info.group},
        {"accessible", info.accessible},
        {"held_by", users}};
    text += (i ? ",\n " : "\n ") + JsonText(entry);
  }
  text += ports.empty() ? "]\n" : "\n]\n";
  std::cout << text;
}

class PortsCommand final : public Command {
 public:
  std::string Name() const override { return "ports"; }
  std::string Summary() const override {
    return "List this machine's serial ports and their COM names";
  }
  std::string Footer() const override {
    return "Lists USB serial adapters (ttyUSB*, ttyACM*), on-board ports with a UART behind them,\n"
           "and every target of the port map (see docs/ports.md), with the COM names that lead\n"
           "there, USB vendor:product, maker, product, serial number, adapter chip, driver,\n"
           "FTDI latency timer with the time a full Write takes at it,\n"
           "whether you may open the port and which process holds it.\n"
           "Exit status: 0.\n"
           "Example:\n  vrxtool ports --json";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_flag("--json", json_, "Print a JSON array for scripts");
  }
  int Execute() override {
    const auto ports =
        ListPorts(vrx::ReadPortMap(vrx::PortMapPath(), vrx::PrintSettingsProblems()));
    if (json_) {
      PrintJson(ports);
    } else {
      PrintText(ports);
    }
    return kExitOk;
  }

 private:
  bool json_ = false;
};

}  // namespace

std::unique_ptr<Command> MakePortsCommand() { return std::make_unique<PortsCommand>(); }

}  // namespace vrxtool
