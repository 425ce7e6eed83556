// The sizes the hicolor icon theme gets the programs' icon in: the ones
// menus, docks, launchers and file managers ask for.
#pragma once

namespace vrx {

inline constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace vrx
