#include "editor/core/option_fields.h"

#include "config/bit_rate.h"
#include "config/brr_value.h"

namespace vrx::editor {
namespace {

template <typename Field>
void SetBit(Field& field, unsigned bit, bool on) {
  const unsigned mask = 1U << bit;
  field = static_cast<Field>(on ? (field | mask) : (field & ~mask));
}

}  // namespace

bool OptionFlag(const ConfigImage& config, int bit) { return (config.optionWord >> bit) & 1U; }

void SetOptionFlag(ConfigImage& config, int bit, bool on) {
  SetBit(config.optionWord, static_cast<unsigned>(bit), on);
}

bool PoLevel(const ConfigImage& config, int po) {
  return (config.poInitial >> (kFirstPoBit + po)) & 1U;
}

void SetPoLevel(ConfigImage& config, int po, bool on) {
  SetBit(config.poInitial, static_cast<unsigned>(kFirstPoBit + po), on);
}

std::optional<int> SpeedEntryForBrrValue(uint8_t brrValue) {
  const std::optional<int> index = SpeedIndexForBrrValue(brrValue);
  if (!index) return std::nullopt;
  return *index < kOfferedSpeedCount ? *index : -1;
}

void CopyOptionFields(const ConfigImage& from, ConfigImage& to) {
  to.optionWord = from.optionWord;
  to.brrValue = from.brrValue;
  to.poInitial = from.poInitial;
}

}  // namespace vrx::editor
