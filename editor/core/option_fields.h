// The option page's fields of the ConfigImage as its controls show them: the
// seven option flags (bits 0..6 of optionWord), the initial levels of
// PO4..PO7 (bits 4..7 of poInitial) and the serial speed (brrValue).
#pragma once

#include <cstdint>
#include <optional>

#include "config/config_image.h"

namespace vrx::editor {

inline constexpr int kOptionFlagCount = 7;
inline constexpr int kPoLevelCount = 4;  // PO4, PO5, PO6, PO7
inline constexpr int kFirstPoBit = 4;

bool OptionFlag(const ConfigImage& config, int bit);
// Bits 7..15 of optionWord have no box and keep their value.
void SetOptionFlag(ConfigImage& config, int bit, bool on);

// `po` is 0..3 for PO4..PO7.
bool PoLevel(const ConfigImage& config, int po);
// Bits 0..3 of poInitial have no box and keep their value.
void SetPoLevel(ConfigImage& config, int po, bool on);

// The speed list's entry for the stored register value: the offered index,
// -1 (no entry) for 128000 bit/s, nothing for a value no speed has (the
// list then keeps what it shows).
std::optional<int> SpeedEntryForBrrValue(uint8_t brrValue);

// optionWord, brrValue and poInitial of `from` into `to`.
void CopyOptionFields(const ConfigImage& from, ConfigImage& to);

}  // namespace vrx::editor
