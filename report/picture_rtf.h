#pragma once
// A picture in RTF: the bitmap recorded as a Windows metafile (built in memory) and written as the hexadecimal
// dump of a {\pict\wmetafile8 ...} group.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "report/document.h"

namespace kalvora {

// Twips per pixel of the screen the report is laid out for; 15 is 96 pixels per inch.
struct ScreenResolution {
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
};

// Metafile record functions written by BitmapToMetafile.
enum class MetaRecord : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetMapMode = 0x0103,
    RestoreDc = 0x0127,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    DibBitBlt = 0x0940,
};

inline constexpr std::uint16_t MapModeAnisotropic = 8;
inline constexpr std::uint32_t RasterSourceCopy = 0x00CC0020;

// The bitmap as a Windows metafile: header, anisotropic mapping over a window of the bitmap's pixel size, the
// whole bitmap copied at 0,0 as a 24-bit device-independent bitmap between a save and a restore of the state,
// and the end record. Width and height must be 1..32767 (std::invalid_argument otherwise).
std::vector<std::uint8_t> BitmapToMetafile(const Bitmap& bitmap);

// Two lowercase hexadecimal digits.
std::string ByteToHex(std::uint8_t value);

// Hexadecimal dump of bytes: a line break (CR LF) before the first byte and before every further 39 bytes.
std::string HexDump(std::span<const std::uint8_t> bytes);

// The picture's own size in hundredths of a millimetre from its size in pixels.
int PixelsToHundredthsMm(int pixels, int twipsPerPixel);

// "{\pict\wmetafile8\picwW\pichH\picwgoalGW\pichgoalGH " + dump of the metafile + CR LF + "}".
std::string PictureToRtf(const Bitmap& bitmap, ScreenResolution screen = {});

}  // namespace kalvora
