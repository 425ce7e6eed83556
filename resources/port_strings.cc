#include "platform/port_diagnosis.h"
#include "platform/port_names.h"
#include "resources/file_messages.h"
#include "resources/port_messages.h"
#include "resources/translation.h"

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
    if (!text.empty()) text += Tr("、");
    text += std::to_string(pid) + " (" + command + ")";
  }
  return text;
}

}  // namespace

std::string NoSpeedSelected() { return std::string(Tr("速度が選択されていません。")); }

std::string NoPortSelected() { return std::string(Tr("ポートが選択されていません。")); }

std::string NotMapped(std::string_view name, std::string_view mapFile) {
  return TrFormat("{0} はどのデバイスにも割り当てられていません ({1} を参照)。", {name, mapFile});
}

std::string Missing(std::string_view path) {
  return TrFormat("{0} がありません。接続を確認してください。", {path});
}

std::string PermissionDenied(std::string_view path, std::string_view group) {
  return TrFormat(
      "{0}: アクセス権がありません。{1} グループに参加して (sudo usermod -aG {1} $USER)、"
      "ログインし直してください。",
      {path, group});
}

std::string InUseBy(std::string_view path, const ProcessList& users) {
  return TrFormat("{0} はプロセス {1} が使用中です。", {path, Processes(users)});
}

std::string InUse(std::string_view path) {
  return TrFormat("{0} は他のプログラムが使用中です。", {path});
}

std::string NotSerial(std::string_view path) {
  return TrFormat("{0} はシリアルポートではありません。", {path});
}

std::string OtherError(std::string_view path, std::string_view reason) {
  return Join({path, ": ", reason});
}

std::string AlsoOpenBy(std::string_view path, const ProcessList& users) {
  return TrFormat("{0} はプロセス {1} も開いています。", {path, Processes(users)});
}

std::string PowerCycleModule() {
  return std::string(Tr("モジュールの電源を切って入れ直してから、もう一度やり直してください。"));
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
      if (diagnosis.mapProblem != FileReadResult::kRead)
        return file_msg::SettingsProblemText(diagnosis.mapFile, diagnosis.mapProblem);
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

std::string NotConnected() { return std::string(Tr("未接続")); }

std::string PathNotConnected(std::string_view path) { return TrFormat("{0} (未接続)", {path}); }

std::string PortDescription(const PortLocation& location) {
  if (location.path.empty()) return NotConnected();
  return location.exists ? location.path : PathNotConnected(location.path);
}

std::string SlowAdapter(int latencyTimerMs, long long writeTime, bool inMinutes) {
  const std::string amount = std::to_string(writeTime);
  const std::string duration =
      inMinutes ? TrFormat("{0}分", {amount}) : TrFormat("{0}秒", {amount});
  return TrFormat("遅延 {0} ms：書込みに約{1}かかります",
                  {std::to_string(latencyTimerMs), duration});
}

std::string_view Interrupted() { return Tr("中断しました。"); }

std::string SettingsNotStored(std::string_view program) {
  return TrFormat("{0}: 設定をプロファイルに保存できませんでした。", {program});
}

}  // namespace vrx::port_msg
