#include "tools/vrxsim/fault_plan.h"

#include <array>
#include <charconv>
#include <utility>

namespace vrx::sim {
namespace {

constexpr std::array<std::pair<AnswerPoint, std::string_view>, 11> kPointNames{{
    {AnswerPoint::kConnect, "connect"},
    {AnswerPoint::kEnter, "enter"},
    {AnswerPoint::kLcd, "lcd"},
    {AnswerPoint::kEcho, "echo"},
    {AnswerPoint::kZero, "zero"},
    {AnswerPoint::kRead, "read"},
    {AnswerPoint::kErase, "erase"},
    {AnswerPoint::kPrompt, "prompt"},
    {AnswerPoint::kRecord, "record"},
    {AnswerPoint::kExit, "exit"},
    {AnswerPoint::kHostByte, "host"},
}};

// Parses a whole decimal or 0x-prefixed hexadecimal number.
std::optional<int> ParseNumber(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string_view AnswerPointName(AnswerPoint point) {
  for (const auto& [candidate, name] : kPointNames) {
    if (candidate == point) return name;
  }
  return "?";
}

std::optional<uint8_t> ParseByteValue(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value || *value > 0xFF) return std::nullopt;
  return static_cast<uint8_t>(*value);
}

std::optional<Fault> ParseFault(std::string_view text, std::string& error) {
  error = "bad fault \"" + std::string(text) + "\": ";
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    error += "expected POINT=ACTION";
    return std::nullopt;
  }
  Fault fault;
  const std::string_view pointName = text.substr(0, equals);
  bool known = false;
  for (const auto& [point, name] : kPointNames) {
    if (name == pointName) {
      fault.point = point;
      known = true;
    }
  }
  if (!known) {
    error += "unknown point \"" + std::string(pointName) +
             "\" (connect, enter, lcd, echo, zero, read, erase, prompt, record, exit, host)";
    return std::nullopt;
  }

  std::string_view rest = text.substr(equals + 1);
  // The count comes last ("x5", "x*"); the only other 'x' allowed is the
  // one of a leading "0x".
  const std::size_t times = rest.rfind('x');
  if (times != std::string_view::npos && !(times == 1 && rest[0] == '0')) {
    const std::string_view countText = rest.substr(times + 1);
    if (countText == "*") {
      fault.count = Fault::kEvery;
    } else {
      const auto count = ParseNumber(countText);
      if (!count || *count == 0) {
        error += "count after 'x' must be a positive number or '*'";
        return std::nullopt;
      }
      fault.count = *count;
    }
    rest = rest.substr(0, times);
  }
  if (const std::size_t at = rest.find('@'); at != std::string_view::npos) {
    const auto first = ParseNumber(rest.substr(at + 1));
    if (!first) {
      error += "occurrence after '@' must be a number";
      return std::nullopt;
    }
    fault.first = *first;
    rest = rest.substr(0, at);
  }

  if (rest == "silent") {
    fault.action = FaultAction::kSilent;
  } else if (rest == "short") {
    if (fault.point != AnswerPoint::kRead) {
      error += "'short' applies to the read point only";
      return std::nullopt;
    }
    fault.action = FaultAction::kShort;
  } else if (rest == "vanish") {
    fault.action = FaultAction::kVanish;
  } else if (const auto value = ParseByteValue(rest)) {
    if (fault.point == AnswerPoint::kRead || fault.point == AnswerPoint::kHostByte) {
      error += "a replacement byte does not apply to this point";
      return std::nullopt;
    }
    fault.action = FaultAction::kReplace;
    fault.value = static_cast<uint8_t>(*value);
  } else {
    error += "action must be silent, short, vanish or a byte value";
    return std::nullopt;
  }
  error.clear();
  return fault;
}

std::optional<Fault> FaultPlan::Next(AnswerPoint point) {
  const int occurrence = seen_[static_cast<int>(point)]++;
  for (const Fault& fault : faults_) {
    if (fault.point != point || occurrence < fault.first) continue;
    if (fault.count == Fault::kEvery || occurrence < fault.first + fault.count) return fault;
  }
  return std::nullopt;
}

}  // namespace vrx::sim
