#include "report/picture_rtf.h"

#include <algorithm>
#include <stdexcept>

namespace kalvora {
namespace {

constexpr std::size_t HexBytesPerLine = 39;
constexpr int TwipsPerInch = 1440;
constexpr int HundredthsMmPerInch = 2540;

// Little-endian byte writer.
struct Bytes {
    std::vector<std::uint8_t> data;

    void U16(std::uint16_t v) {
        data.push_back(static_cast<std::uint8_t>(v & 0xFF));
        data.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void I16(int v) { U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v & 0xFFFF));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Append(const Bytes& other) { data.insert(data.end(), other.data.begin(), other.data.end()); }
};

// One metafile record: size in 16-bit words, function, parameters.
Bytes Record(MetaRecord function, const Bytes& parameters) {
    Bytes record;
    record.U32(static_cast<std::uint32_t>(3 + parameters.data.size() / 2));
    record.U16(static_cast<std::uint16_t>(function));
    record.Append(parameters);
    return record;
}

// The bitmap as a packed 24-bit DIB: info header, then rows bottom-up in blue-green-red order, each padded to
// a multiple of 4 bytes.
Bytes DeviceIndependentBitmap(const Bitmap& bitmap) {
    const std::size_t stride = (static_cast<std::size_t>(bitmap.width) * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(stride * static_cast<std::size_t>(bitmap.height));
    Bytes dib;
    dib.U32(40);  // header size
    dib.U32(static_cast<std::uint32_t>(bitmap.width));
    dib.U32(static_cast<std::uint32_t>(bitmap.height));  // positive: bottom-up rows
    dib.U16(1);   // planes
    dib.U16(24);  // bits per pixel
    dib.U32(0);   // uncompressed
    dib.U32(imageSize);
    dib.U32(0);  // horizontal and vertical resolution: not given
    dib.U32(0);
    dib.U32(0);  // colours used and important: none (no colour table)
    dib.U32(0);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const std::size_t rowStart = dib.data.size();
        for (int x = 0; x < bitmap.width; ++x) {
            const Rgb& c = bitmap.At(x, y);
            dib.data.push_back(c.b);
            dib.data.push_back(c.g);
            dib.data.push_back(c.r);
        }
        dib.data.resize(rowStart + stride, 0);
    }
    return dib;
}

}  // namespace

std::vector<std::uint8_t> BitmapToMetafile(const Bitmap& bitmap) {
    if (bitmap.width < 1 || bitmap.width > 32767 || bitmap.height < 1 || bitmap.height > 32767 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        throw std::invalid_argument("a metafile picture needs a bitmap of 1 to 32767 pixels each way");
    }

    std::vector<Bytes> records;
    Bytes mapMode;
    mapMode.U16(MapModeAnisotropic);
    records.push_back(Record(MetaRecord::SetMapMode, mapMode));
    Bytes origin;
    origin.I16(0);  // y, then x
    origin.I16(0);
    records.push_back(Record(MetaRecord::SetWindowOrg, origin));
    Bytes extent;
    extent.I16(bitmap.height);
    extent.I16(bitmap.width);
    records.push_back(Record(MetaRecord::SetWindowExt, extent));
    records.push_back(Record(MetaRecord::SaveDc, {}));
    Bytes blit;
    blit.U32(RasterSourceCopy);
    blit.I16(0);  // source y, x
    blit.I16(0);
    blit.I16(bitmap.height);
    blit.I16(bitmap.width);
    blit.I16(0);  // destination y, x
    blit.I16(0);
    blit.Append(DeviceIndependentBitmap(bitmap));
    records.push_back(Record(MetaRecord::DibBitBlt, blit));
    Bytes restore;
    restore.I16(-1);  // the state saved last
    records.push_back(Record(MetaRecord::RestoreDc, restore));
    records.push_back(Record(MetaRecord::Eof, {}));

    constexpr std::size_t HeaderBytes = 18;
    std::size_t totalBytes = HeaderBytes;
    std::size_t maxRecordBytes = 0;
    for (const Bytes& r : records) {
        totalBytes += r.data.size();
        maxRecordBytes = std::max(maxRecordBytes, r.data.size());
    }

    Bytes file;
    file.U16(1);       // metafile kept in memory
    file.U16(9);       // header size in words
    file.U16(0x0300);  // version with device-independent bitmaps
    file.U32(static_cast<std::uint32_t>(totalBytes / 2));
    file.U16(0);  // objects: none created
    file.U32(static_cast<std::uint32_t>(maxRecordBytes / 2));
    file.U16(0);  // unused
    for (const Bytes& r : records) file.Append(r);
    return std::move(file.data);
}

std::string ByteToHex(std::uint8_t value) {
    static constexpr char Digits[] = "0123456789abcdef";
    return {Digits[value >> 4], Digits[value & 0x0F]};
}

std::string HexDump(std::span<const std::uint8_t> bytes) {
    std::string dump;
    dump.reserve(bytes.size() * 2 + (bytes.size() / HexBytesPerLine + 1) * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % HexBytesPerLine == 0) dump += "\r\n";
        dump += ByteToHex(bytes[i]);
    }
    return dump;
}

int PixelsToHundredthsMm(int pixels, int twipsPerPixel) {
    const long long twips = static_cast<long long>(pixels) * twipsPerPixel;
    return static_cast<int>((twips * HundredthsMmPerInch + TwipsPerInch / 2) / TwipsPerInch);
}

std::string PictureToRtf(const Bitmap& bitmap, ScreenResolution screen) {
    const std::vector<std::uint8_t> metafile = BitmapToMetafile(bitmap);
    std::string group = "{\\pict\\wmetafile8";
    group += "\\picw" + std::to_string(PixelsToHundredthsMm(bitmap.width, screen.twipsPerPixelX));
    group += "\\pich" + std::to_string(PixelsToHundredthsMm(bitmap.height, screen.twipsPerPixelY));
    group += "\\picwgoal" + std::to_string(bitmap.width * screen.twipsPerPixelX);
    group += "\\pichgoal" + std::to_string(bitmap.height * screen.twipsPerPixelY);
    group += ' ';
    group += HexDump(metafile);
    group += "\r\n}";
    return group;
}

}  // namespace kalvora
