#pragma once
// The report as RTF text: the report's font (and a fixed-pitch one where a run asks for it), the 16-colour palette
// as colour table, runs with their size, weight and colour, and pictures as metafile groups placed through marker
// characters in the document's RTF.

#include <cstddef>
#include <string>
#include <string_view>

#include "report/document.h"
#include "report/picture_rtf.h"

namespace kalvora {

// Marks the place of a picture while it is put into the RTF text: the first character stands where the picture
// goes, the second just after it.
inline constexpr char32_t PictureStartMarker = 0x9D;
inline constexpr char32_t PictureEndMarker = 0x81;

// Writes a document as RTF. The caret is the end of the document: every insertion appends.
class RtfWriter final : public RichTextWriter {
public:
    explicit RtfWriter(ScreenResolution screen = {}) : screen_(screen) {}

    void Clear() override;
    void InsertText(std::string_view text, const TextStyle& style) override;

    // Puts the two markers around the (empty) selection at the caret, replaces the RTF escape of the first
    // marker by the picture group, removes the escape of the second and sets the caret where the second stood.
    void InsertPicture(const Bitmap& picture) override;

    // The whole document as RTF text.
    std::string Rtf() const;

    // The document's text (a picture is one object character) and the caret, in characters of that text.
    const std::u32string& Text() const { return text_; }
    std::size_t Caret() const { return caret_; }

private:
    void PutRtf(const std::string& rtf);

    ScreenResolution screen_;
    std::string body_;     // everything between the header and the closing brace
    std::u32string text_;  // the document's characters, CR LF kept as two
    std::size_t caret_ = 0;
    bool fixedPitch_ = false;  // a run in the fixed-pitch font was written
};

// Replaces every occurrence of the control symbol `control` (for example "\'9d") in RTF text, skipping escaped
// backslashes so that a typed backslash never starts a match. Returns the number of replacements.
std::size_t ReplaceRtfControl(std::string& rtf, std::string_view control, std::string_view replacement);

// The RTF text of a whole document.
std::string ReportToRtf(const ReportDocument& document, ScreenResolution screen = {});

// Writes the document as an RTF file through ReplaceFile (report/file_replace.h): an earlier file is replaced only
// on success, and only when it is a regular file. On failure returns false with a message naming the file and the
// cause.
bool WriteRtfFile(const ReportDocument& document, const std::string& path, std::string* error);

}  // namespace kalvora
