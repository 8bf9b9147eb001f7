// The face names of the fonts the form designs name.
#pragma once

#include "platform/FormDesign.h"

// "ＭＳ ゴシック" is the fixed-pitch Japanese face, "ＭＳ Ｐゴシック" its proportional sibling.
inline constexpr std::u16string_view kGothic = u"ＭＳ ゴシック";
inline constexpr std::u16string_view kPGothic = u"ＭＳ Ｐゴシック";
