#include "report/rtf.h"

#include "report/file_replace.h"

namespace kalvora {
namespace {

constexpr char32_t ObjectCharacter = 0xFFFC;
constexpr char32_t ReplacementCharacter = 0xFFFD;

// The footer of every page, "Page 3 of 5" centred in small grey type: the page number is the \chpgn symbol and the
// count of pages a NUMPAGES field, both filled in by the reader as it lays out the pages. The field's result is
// left empty, as the count is only known once the pages are laid out.
constexpr std::string_view PageFooter =
    "{\\footer\\pard\\qc\\f0\\fs20\\cf8 Page {\\chpgn} of {\\field{\\*\\fldinst NUMPAGES }{\\fldrslt }}\\par}";

// The font table holds the fixed-pitch font only once a run uses it, so that a report without such runs keeps its
// RTF as it always was.
std::string Header(bool fixedPitch) {
    std::string header = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}";
    if (fixedPitch) header += "{\\f1\\fmodern\\fcharset0 Courier New;}";
    header += "}\r\n";
    header += "{\\colortbl";
    for (const Rgb& c : ClassicPalette) {
        header += "\\red" + std::to_string(c.r) + "\\green" + std::to_string(c.g) + "\\blue" + std::to_string(c.b) + ";";
    }
    header += "}\r\n\\viewkind4\\uc1";
    header += PageFooter;
    header += "\\pard\\f0\\fs24 ";
    return header;
}

// Decodes UTF-8; each byte of a malformed sequence gives one replacement character.
std::u32string DecodeUtf8(std::string_view s) {
    std::u32string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            out += lead;
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        }
        bool ok = extra > 0 && i + extra < s.size();
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            ok = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (ok) {
            out += cp;
            i += extra + 1;
        } else {
            out += ReplacementCharacter;
            ++i;
        }
    }
    return out;
}

void AppendUnicodeEscape(std::string& rtf, char32_t cp) {
    auto unit = [&rtf](std::uint32_t u) {
        rtf += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) + "?";
    };
    if (cp > 0xFFFF) {
        const std::uint32_t v = cp - 0x10000;
        unit(0xD800 + (v >> 10));
        unit(0xDC00 + (v & 0x3FF));
    } else {
        unit(cp);
    }
}

// RTF of text characters: CR LF (or a lone LF) ends a paragraph, special characters are escaped, and every
// character beyond ASCII is written as a Unicode escape (so no text character looks like a marker).
std::string EscapeText(const std::u32string& text) {
    std::string rtf;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\r') {
            if (i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            rtf += "\\par\r\n";
        } else if (c == U'\n') {
            rtf += "\\par\r\n";
        } else if (c == U'\t') {
            rtf += "\\tab ";
        } else if (c == U'\\' || c == U'{' || c == U'}') {
            rtf += '\\';
            rtf += static_cast<char>(c);
        } else if (c < 0x20) {
            // other control characters have no place in the report
        } else if (c < 0x80) {
            rtf += static_cast<char>(c);
        } else {
            AppendUnicodeEscape(rtf, c);
        }
    }
    return rtf;
}

std::string RunPrefix(const TextStyle& style) {
    std::string prefix = style.fixedPitch ? "{\\f1\\fs" : "{\\fs";
    prefix += std::to_string(style.sizePt * 2);
    prefix += style.bold ? "\\b" : "\\b0";
    prefix += "\\cf" + std::to_string(static_cast<int>(style.colour)) + " ";
    return prefix;
}

std::string MarkerEscape(char32_t marker) {
    return "\\'" + ByteToHex(static_cast<std::uint8_t>(marker));
}

}  // namespace

std::size_t ReplaceRtfControl(std::string& rtf, std::string_view control, std::string_view replacement) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < rtf.size()) {
        if (rtf[i] != '\\') {
            ++i;
        } else if (rtf.compare(i, control.size(), control) == 0) {
            rtf.replace(i, control.size(), replacement);
            i += replacement.size();
            ++count;
        } else {
            i += 2;  // a backslash and the character it escapes or the first letter of a control word
        }
    }
    return count;
}

void RtfWriter::Clear() {
    body_.clear();
    text_.clear();
    fixedPitch_ = false;
    caret_ = 0;
}

void RtfWriter::InsertText(std::string_view text, const TextStyle& style) {
    const std::u32string characters = DecodeUtf8(text);
    if (characters.empty()) return;
    fixedPitch_ = fixedPitch_ || style.fixedPitch;
    body_ += RunPrefix(style) + EscapeText(characters) + "}";
    text_ += characters;
    caret_ = text_.size();
}

void RtfWriter::InsertPicture(const Bitmap& picture) {
    const std::string startEscape = MarkerEscape(PictureStartMarker);
    const std::string endEscape = MarkerEscape(PictureEndMarker);

    // The markers enclose the selection, which is empty at the end of the document.
    body_ += RunPrefix(TextStyle{}) + startEscape + endEscape + "}";
    text_ += PictureStartMarker;
    text_ += PictureEndMarker;

    std::string rtf = Rtf();
    ReplaceRtfControl(rtf, startEscape, PictureToRtf(picture, screen_));
    for (char32_t& c : text_) {
        if (c == PictureStartMarker) c = ObjectCharacter;
    }
    PutRtf(rtf);

    const std::size_t end = text_.find(PictureEndMarker);

    rtf = Rtf();
    ReplaceRtfControl(rtf, endEscape, "");
    std::erase(text_, PictureEndMarker);
    PutRtf(rtf);
    caret_ = end == std::u32string::npos ? text_.size() : end;
}

std::string RtfWriter::Rtf() const { return Header(fixedPitch_) + body_ + "}"; }

void RtfWriter::PutRtf(const std::string& rtf) {
    const std::string header = Header(fixedPitch_);
    body_ = rtf.substr(header.size(), rtf.size() - header.size() - 1);
}

std::string ReportToRtf(const ReportDocument& document, ScreenResolution screen) {
    RtfWriter writer(screen);
    WriteDocument(document, writer);
    return writer.Rtf();
}

bool WriteRtfFile(const ReportDocument& document, const std::string& path, std::string* error) {
    std::string cause;
    if (ReplaceFile(path, ReportToRtf(document), &cause)) return true;
    if (error) *error = "Cannot write the report to \"" + path + "\": " + cause;
    return false;
}

}  // namespace kalvora
