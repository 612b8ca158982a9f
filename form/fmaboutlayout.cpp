// The About box's layout.

#include "formlayout.h"

// A row names only the fields it needs; the rest keep their defaults, which is the point of a
// table that reads like the layout it describes.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace batora {
namespace {

using T = ControlType;

constexpr ControlSpec kControls[] = {
    {"cmdOK",
     {},
     T::kButton,
     "",
     "OK",
     {4080, 1185, 1310, 345},
     0,
     0,
     {},
     kDefaultButton | kCancelButton},
    {"cmdSysInfo", {}, T::kButton, "", "ｼｽﾃﾑ情報(&S)...", {4080, 1635, 1310, 345}, 0, 1},
    {"picIcon", {}, T::kPicture, "", "", {660, 240, 480, 480}, 0, 2, {}, kSizedToPicture},
    {"lblDescription", {}, T::kLabel, "", "ファイル名一括変換ツール", {1500, 660, 2325, 330}, 0, 3},
    {"lblTitle", {}, T::kLabel, "", "", {1380, 315, 3045, 345}, 0, 4, {"ＭＳ Ｐ明朝", 11.25, true}},
    {"Line1", 0, T::kLine, "", "", {120, 1080, 5230, 0}, 0, -1, {}, 0, 0xFFFFFF},
    {"Line1", 1, T::kLine, "", "", {90, 1065, 5245, 0}, 0, -1, {}, 0, 0x808080},
};

constexpr FormLayout kLayout{"fmAbout", "ﾊﾞｰｼﾞｮﾝ情報", 5490, 2625, {}, kControls, {}, {}};

}  // namespace

const FormLayout& fmAboutLayout() {
  return kLayout;
}

}  // namespace batora
