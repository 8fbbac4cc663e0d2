#pragma once
// The analysis report as a format-neutral document: text runs and pictures in reading order. The report builder
// writes it through RichTextWriter; the RTF text, the on-screen view, the printer and PDF are renderings of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kalvora {

// Entries of the classic 16-colour palette, by palette number.
enum class PaletteColour : std::uint8_t {
    Black = 0, Blue = 1, Green = 2, Cyan = 3, Red = 4, Magenta = 5, Brown = 6, LightGrey = 7,
    DarkGrey = 8, LightBlue = 9, LightGreen = 10, LightCyan = 11, LightRed = 12, LightMagenta = 13, Yellow = 14,
    White = 15,
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The classic 16-colour palette (16 entries, 8 bits per channel), indexed by PaletteColour.
inline constexpr auto ClassicPalette = std::to_array<Rgb>({
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
    {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
});
static_assert(ClassicPalette.size() == 16);

constexpr Rgb PaletteRgb(PaletteColour c) { return ClassicPalette[static_cast<std::size_t>(c)]; }

// A 24-bit picture, rows top to bottom, pixels left to right.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // width * height entries

    Bitmap() = default;
    Bitmap(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;
};

// Character formatting of one text run.
struct TextStyle {
    bool bold = false;
    PaletteColour colour = PaletteColour::Black;
    int sizePt = 12;
    bool fixedPitch = false;  // every character as wide as the next, for rows laid out in columns
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Text with one formatting; line breaks are carriage return plus line feed inside the text.
struct TextRun {
    std::string text;  // UTF-8
    TextStyle style;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

struct PictureItem {
    Bitmap picture;
    friend bool operator==(const PictureItem&, const PictureItem&) = default;
};

using ReportItem = std::variant<TextRun, PictureItem>;

struct ReportDocument {
    std::vector<ReportItem> items;
    friend bool operator==(const ReportDocument&, const ReportDocument&) = default;
};

// The document's text with its CR LF line breaks; a picture contributes nothing.
std::string PlainText(const ReportDocument& document);

// Where a report is written: text and pictures go in at the caret, which then follows them.
class RichTextWriter {
public:
    virtual ~RichTextWriter() = default;
    // Empties the document; the caret goes to its start.
    virtual void Clear() = 0;
    virtual void InsertText(std::string_view text, const TextStyle& style) = 0;
    virtual void InsertPicture(const Bitmap& picture) = 0;
};

// Writes into a ReportDocument; a run with the style of the run before it is merged into that run.
class DocumentWriter final : public RichTextWriter {
public:
    void Clear() override { document_.items.clear(); }
    void InsertText(std::string_view text, const TextStyle& style) override;
    void InsertPicture(const Bitmap& picture) override { document_.items.emplace_back(PictureItem{picture}); }

    const ReportDocument& Document() const { return document_; }
    ReportDocument Take() { return std::move(document_); }

private:
    ReportDocument document_;
};

// Sends every item of the document to a writer, in order (after clearing it).
void WriteDocument(const ReportDocument& document, RichTextWriter& writer);

}  // namespace kalvora
