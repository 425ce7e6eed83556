#include "platform/port_diagnosis.h"
#include "platform/port_names.h"
#include "resources/port_messages.h"

namespace vrx::port_msg {
namespace {

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

// "1234 (minicom)、5678 (screen)"
std::string Processes(const ProcessList& users) {
  std::string text;
  for (const auto& [pid, command] : users) {
    if (!text.empty()) text += "、";
    text += std::to_string(pid) + " (" + command + ")";
  }
  return text;
}

}  // namespace

std::string NoSpeedSelected() { return "速度が選択されていません。"; }

std::string NoPortSelected() { return "ポートが選択されていません。"; }

std::string NotMapped(std::string_view name, std::string_view mapFile) {
  return Join({name, " はどのデバイスにも割り当てられていません (", mapFile, " を参照)。"});
}

std::string Missing(std::string_view path) {
  return Join({path, " がありません。接続を確認してください。"});
}

std::string PermissionDenied(std::string_view path, std::string_view group) {
  return Join({path, ": アクセス権がありません。", group, " グループに参加して (sudo usermod -aG ",
               group, " $USER)、ログインし直してください。"});
}

std::string InUseBy(std::string_view path, const ProcessList& users) {
  return Join({path, " はプロセス ", Processes(users), " が使用中です。"});
}

std::string InUse(std::string_view path) { return Join({path, " は他のプログラムが使用中です。"}); }

std::string NotSerial(std::string_view path) {
  return Join({path, " はシリアルポートではありません。"});
}

std::string OtherError(std::string_view path, std::string_view reason) {
  return Join({path, ": ", reason});
}

std::string AlsoOpenBy(std::string_view path, const ProcessList& users) {
  return Join({path, " はプロセス ", Processes(users), " も開いています。"});
}

std::string PowerCycleModule() {
  return "モジュールの電源を切って入れ直してから、もう一度やり直してください。";
}

std::string CauseText(const PortDiagnosis& diagnosis) {
  ProcessList users;
  for (const auto& user : diagnosis.users) users.emplace_back(user.pid, user.command);
  const std::string& path = diagnosis.path;
  switch (diagnosis.kind) {
    case PortDiagnosis::Kind::kNone:
      return {};
    case PortDiagnosis::Kind::kNoPortSelected:
      return NoPortSelected();
    case PortDiagnosis::Kind::kNoSpeedSelected:
      return NoSpeedSelected();
    case PortDiagnosis::Kind::kNotMapped:
      return NotMapped(path, diagnosis.mapFile);
    case PortDiagnosis::Kind::kMissing:
      return Missing(path);
    case PortDiagnosis::Kind::kPermissionDenied:
      return PermissionDenied(path, diagnosis.group);
    case PortDiagnosis::Kind::kInUse:
      return users.empty() ? InUse(path) : InUseBy(path, users);
    case PortDiagnosis::Kind::kNotSerial:
      return NotSerial(path);
    case PortDiagnosis::Kind::kOtherError:
      return OtherError(path, diagnosis.reason);
    case PortDiagnosis::Kind::kAlsoOpen:
      return AlsoOpenBy(path, users);
    case PortDiagnosis::Kind::kSilentModule:
      return PowerCycleModule();
  }
  return {};
}

std::string NotConnected() { return "未接続"; }

std::string PathNotConnected(std::string_view path) { return Join({path, " (未接続)"}); }

std::string PortDescription(const PortLocation& location) {
  if (location.path.empty()) return NotConnected();
  return location.exists ? location.path : PathNotConnected(location.path);
}

std::string SlowAdapter(int latencyTimerMs, int expectedWriteSeconds) {
  // Whole minutes from a minute and a half on; seconds below.
  const std::string duration = expectedWriteSeconds >= 90
                                   ? std::to_string((expectedWriteSeconds + 30) / 60) + "分"
                                   : std::to_string(expectedWriteSeconds) + "秒";
  return Join({"遅延 ", std::to_string(latencyTimerMs), " ms：書込みに約", duration, "かかります"});
}

std::string_view Interrupted() { return "中断しました。"; }

std::string SettingsNotStored(std::string_view program) {
  return Join({program, ": 設定をプロファイルに保存できませんでした。"});
}

}  // namespace vrx::port_msg
