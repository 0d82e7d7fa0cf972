// The colours of the game: a muddy olive bog, a golden path, warm beige
// controls. Opaque colours stay below pure white, the see-through key.
#pragma once

#include "res/art/canvas.h"

namespace art::colour {

inline constexpr Rgb kMud{98, 92, 43};
inline constexpr Rgb kMudDark{82, 77, 35};
inline constexpr Rgb kMudLight{128, 121, 62};
inline constexpr Rgb kReed{66, 116, 40};
inline constexpr Rgb kReedLight{128, 166, 64};

inline constexpr Rgb kPath{222, 178, 72};
inline constexpr Rgb kPathEdge{146, 104, 34};
inline constexpr Rgb kPathLight{248, 218, 128};
inline constexpr Rgb kBlockGround{122, 117, 58};
// The finished path: a mossy slab, a glow round the channel, and the
// channel lit from within.
inline constexpr Rgb kLitGround{132, 148, 66};
inline constexpr Rgb kLitGlow{250, 224, 120};
inline constexpr Rgb kLitRim{206, 138, 44};
inline constexpr Rgb kLitPath{250, 204, 86};
inline constexpr Rgb kLitCore{255, 238, 150};
// What sprites that roll or fly over the blocks are smoothed against: a mean
// of their ground and their golden path.
inline constexpr Rgb kOverBlock{176, 150, 70};

inline constexpr Rgb kLeaf{52, 126, 44};
inline constexpr Rgb kLeafDark{30, 84, 30};
inline constexpr Rgb kLeafLight{104, 172, 70};

inline constexpr Rgb kFrog{92, 178, 62};
inline constexpr Rgb kFrogDark{40, 108, 36};
inline constexpr Rgb kFrogBelly{196, 224, 120};
inline constexpr Rgb kEyeWhite{248, 246, 232};
inline constexpr Rgb kInk{36, 26, 20};

inline constexpr Rgb kPetal{250, 248, 238};
inline constexpr Rgb kPetalShade{206, 200, 184};
inline constexpr Rgb kOrange{240, 140, 30};
inline constexpr Rgb kToadstool{206, 36, 30};
inline constexpr Rgb kStem{236, 226, 196};
inline constexpr Rgb kStone{222, 214, 196};
inline constexpr Rgb kStoneShade{170, 160, 140};
inline constexpr Rgb kStoneDark{122, 114, 98};
inline constexpr Rgb kLichenRust{168, 82, 50};
inline constexpr Rgb kLichenLight{200, 120, 72};
inline constexpr Rgb kWater{150, 204, 234};
inline constexpr Rgb kMoundGrey{140, 134, 118};

inline constexpr Rgb kHeart{214, 34, 48};
inline constexpr Rgb kHeartDark{150, 18, 30};
inline constexpr Rgb kHeartLight{244, 110, 120};

inline constexpr Rgb kSkin{246, 204, 164};
inline constexpr Rgb kSkinShade{214, 160, 120};
inline constexpr Rgb kCheek{238, 150, 140};
inline constexpr Rgb kHeroHair{112, 64, 28};
inline constexpr Rgb kHeroineHair{236, 176, 60};
inline constexpr Rgb kHeroCoat{52, 90, 170};
inline constexpr Rgb kHeroineDress{200, 50, 90};
inline constexpr Rgb kSorceressRobe{92, 40, 120};

inline constexpr Rgb kBeige{232, 214, 172};
inline constexpr Rgb kBeigeDark{196, 172, 126};
inline constexpr Rgb kBeigeLight{246, 236, 210};
inline constexpr Rgb kFrame{92, 62, 36};
inline constexpr Rgb kText{70, 42, 22};
inline constexpr Rgb kButton{214, 140, 70};
inline constexpr Rgb kButtonLight{244, 190, 120};
inline constexpr Rgb kButtonDark{150, 84, 34};
inline constexpr Rgb kField{40, 50, 30};
inline constexpr Rgb kDigit{250, 220, 90};
inline constexpr Rgb kParchment{244, 232, 200};

}  // namespace art::colour
