#pragma once
// The emblem at the top of the analysis report, drawn in code: a zodiac wheel of twelve signs around the Sun,
// with the crescent Moon and a few stars on a night-blue sky.

#include "report/document.h"

namespace kalvora {

inline constexpr int ReportPictureSize = 120;  // width and height in pixels

Bitmap ReportPicture();

}  // namespace kalvora
