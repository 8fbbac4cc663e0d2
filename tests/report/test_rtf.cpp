#include "report/rtf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "report/picture.h"
#include "report/report_builder.h"
#include "tests/report/report_samples.h"

namespace kalvora {
namespace {

// What an RTF reader makes of a document: its visible text (paragraph ends as CR LF, Unicode escapes decoded to
// UTF-8; the page footer is not part of it), the hexadecimal data of each picture group, and whether the braces
// balance.
struct RtfReading {
    std::string text;
    std::vector<std::string> pictures;
    bool balanced = true;
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

RtfReading ReadRtf(const std::string& rtf) {
    RtfReading reading;
    // Per group: whether its text is hidden (font and colour tables) or picture data.
    struct Group {
        bool hidden = false;
        bool picture = false;
    };
    std::vector<Group> groups;
    char32_t highSurrogate = 0;
    std::size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            groups.push_back(groups.empty() ? Group{} : groups.back());
            ++i;
        } else if (c == '}') {
            if (groups.empty()) reading.balanced = false;
            else groups.pop_back();
            ++i;
        } else if (c == '\\') {
            const char next = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
            if (!std::isalpha(static_cast<unsigned char>(next))) {
                if (!groups.back().hidden && next != '\'') reading.text += next;
                i += next == '\'' ? 4 : 2;
                continue;
            }
            std::size_t j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
            const std::string word = rtf.substr(i + 1, j - i - 1);
            std::size_t k = j;
            if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) ++k;
            while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
            const std::string number = rtf.substr(j, k - j);
            if (k < rtf.size() && rtf[k] == ' ') ++k;
            Group& g = groups.back();
            if (word == "fonttbl" || word == "colortbl" || word == "footer") g.hidden = true;
            if (word == "pict") {
                g.hidden = g.picture = true;
                reading.pictures.emplace_back();
            }
            if (!g.hidden && word == "par") reading.text += "\r\n";
            if (!g.hidden && word == "u") {
                const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(std::stoi(number)));
                if (unit >= 0xD800 && unit < 0xDC00) {
                    highSurrogate = unit;
                } else if (unit >= 0xDC00 && unit < 0xE000) {
                    AppendUtf8(reading.text, 0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00));
                } else {
                    AppendUtf8(reading.text, unit);
                }
                if (k < rtf.size() && rtf[k] == '?') ++k;  // the fallback character of \uc1
            }
            i = k;
        } else {
            if (c != '\r' && c != '\n' && !groups.empty()) {
                if (groups.back().picture) reading.pictures.back() += c;
                else if (!groups.back().hidden) reading.text += c;
            }
            ++i;
        }
    }
    if (!groups.empty()) reading.balanced = false;
    return reading;
}

std::vector<std::uint8_t> FromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

Bitmap SmallPicture() { return Bitmap(3, 2, Rgb{10, 20, 30}); }

TEST(Rtf, HeaderHasOneFontAndThePaletteAsColourTable) {
    const std::string rtf = ReportToRtf(ReportDocument{});
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi")) << rtf;
    std::string table = "{\\colortbl";
    for (const Rgb& c : ClassicPalette) {
        table += "\\red" + std::to_string(c.r) + "\\green" + std::to_string(c.g) + "\\blue" + std::to_string(c.b) + ";";
    }
    EXPECT_NE(rtf.find(table + "}"), std::string::npos) << rtf;
    EXPECT_EQ(ClassicPalette[9], (Rgb{0, 0, 255}));
    EXPECT_EQ(ClassicPalette[5], (Rgb{128, 0, 128}));
    EXPECT_TRUE(ReadRtf(rtf).balanced);
}

TEST(Rtf, RunsCarryTheirSizeWeightAndColour) {
    struct Case {
        TextStyle style;
        std::string prefix;
    };
    const std::vector<Case> cases = {
        {{true, PaletteColour::LightBlue, 12}, "{\\fs24\\b\\cf9 "},
        {{false, PaletteColour::Black, 12}, "{\\fs24\\b0\\cf0 "},
        {{false, PaletteColour::Magenta, 10}, "{\\fs20\\b0\\cf5 "},
        {{false, PaletteColour::Black, 10, true}, "{\\f1\\fs20\\b0\\cf0 "},
    };
    for (const Case& c : cases) {
        RtfWriter writer;
        writer.InsertText("Kalvora Report", c.style);
        EXPECT_NE(writer.Rtf().find(c.prefix + "Kalvora Report}"), std::string::npos) << writer.Rtf();
    }
}

TEST(Rtf, TextIsEscaped) {
    struct Case {
        std::string text, rtf;
    };
    const std::vector<Case> cases = {
        {"a\r\nb", "a\\par\r\nb"},
        {"{x}\\y", "\\{x\\}\\\\y"},
        {"caf\xC3\xA9", "caf\\u233?"},
        {"\xC2\x9D\xC2\x81", "\\u157?\\u129?"},  // the marker characters typed as text stay text
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
        {"\xFF", "\\u-3?"},  // a stray byte becomes the replacement character
    };
    for (const Case& c : cases) {
        RtfWriter writer;
        writer.InsertText(c.text, TextStyle{});
        const std::string rtf = writer.Rtf();
        EXPECT_NE(rtf.find("\\cf0 " + c.rtf + "}"), std::string::npos) << rtf;
    }
}

TEST(Rtf, PictureGoesWhereTheMarkersWereAndTheCaretFollowsIt) {
    RtfWriter writer;
    writer.InsertText("before", TextStyle{});
    writer.InsertPicture(SmallPicture());
    EXPECT_EQ(writer.Caret(), writer.Text().size());
    writer.InsertText("after", TextStyle{});
    writer.InsertPicture(SmallPicture());

    const std::string rtf = writer.Rtf();
    const std::string group = PictureToRtf(SmallPicture());
    const std::size_t before = rtf.find("before");
    const std::size_t first = rtf.find(group);
    const std::size_t after = rtf.find("after");
    const std::size_t second = rtf.find(group, first + 1);
    EXPECT_LT(before, first);
    EXPECT_LT(first + group.size(), after);
    EXPECT_LT(after, second);
    EXPECT_NE(second, std::string::npos);
    EXPECT_EQ(rtf.find("\\'9d"), std::string::npos);
    EXPECT_EQ(rtf.find("\\'81"), std::string::npos);
    EXPECT_EQ(writer.Text(), U"before\uFFFCafter\uFFFC");
    EXPECT_EQ(writer.Caret(), writer.Text().size());
}

TEST(Rtf, MarkerReplacementSkipsEscapedBackslashes) {
    struct Case {
        std::string rtf;
        std::size_t replaced;
        std::string result;
    };
    const std::vector<Case> cases = {
        {"a\\'9db", 1, "aPb"},
        {"\\'9d\\'9d", 2, "PP"},
        {"a\\\\'9d", 0, "a\\\\'9d"},       // a typed backslash followed by '9d
        {"\\\\\\'9d", 1, "\\\\P"},         // a typed backslash, then the marker
        {"\\'9D", 0, "\\'9D"},             // the marker is written in lowercase only
        {"\\pict 9d9d", 0, "\\pict 9d9d"},  // hexadecimal picture data is no escape
    };
    for (const Case& c : cases) {
        std::string rtf = c.rtf;
        EXPECT_EQ(ReplaceRtfControl(rtf, "\\'9d", "P"), c.replaced) << c.rtf;
        EXPECT_EQ(rtf, c.result) << c.rtf;
    }

    RtfWriter writer;
    writer.InsertText("C:\\'9d", TextStyle{});
    writer.InsertPicture(SmallPicture());
    EXPECT_NE(writer.Rtf().find("C:\\\\'9d}"), std::string::npos) << writer.Rtf();
}

TEST(Rtf, WholeReportReadsBackAsTheDocument) {
    ReportInput input = test::SampleInput();
    test::SetAllCodes(input, 1);
    input.codes[FactorKind::Amrita] = 2;
    const ReportDocument document = BuildReportDocument(input);
    const std::string rtf = ReportToRtf(document);

    const RtfReading reading = ReadRtf(rtf);
    EXPECT_TRUE(reading.balanced);
    EXPECT_EQ(reading.text, PlainText(document));
    ASSERT_EQ(reading.pictures.size(), 1u);
    EXPECT_EQ(FromHex(reading.pictures[0]), BitmapToMetafile(ReportPicture()));
    EXPECT_EQ(reading.pictures[0].find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(rtf.find("\\'9d"), std::string::npos);
    EXPECT_EQ(rtf.find("\\'81"), std::string::npos);
    EXPECT_EQ(rtf.find('\x9D'), std::string::npos);
    EXPECT_EQ(rtf.find('\x81'), std::string::npos);
    EXPECT_EQ(rtf.find("\\fs24\\b\\cf9 \\par\r\nKalvora Report"), rtf.find("{\\pict") + PictureToRtf(ReportPicture()).size() + 2);
}

// The group that opens at `at` (a "{"), braces and all; "" when it does not close.
std::string GroupAt(const std::string& rtf, std::size_t at) {
    int depth = 0;
    for (std::size_t i = at; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth == 0) {
            return rtf.substr(at, i + 1 - at);
        }
    }
    return "";
}

TEST(Rtf, EveryPageIsNumberedInTheFooter) {
    ReportInput withAppendix = test::SampleInput();
    withAppendix.appendix = ReportAppendix{{{"The Day of the Muhurtha", {{"Sunrise", "07:07"}}}}};
    ReportInput stopped = test::SampleInput();
    stopped.stopped = true;
    stopped.stopMessage = "Your Muhurtha Date is more than Your Birth Date. Please check.";
    struct Case {
        const char* what;
        ReportDocument document;
    };
    const std::vector<Case> cases = {
        {"an empty document", ReportDocument{}},
        {"the report", BuildReportDocument(test::SampleInput())},
        {"the report with its appendix in the fixed-pitch font", BuildReportDocument(withAppendix)},
        {"a stopped evaluation's message", BuildReportDocument(stopped)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string rtf = ReportToRtf(c.document);
        const std::size_t at = rtf.find("{\\footer");
        ASSERT_NE(at, std::string::npos) << rtf;
        EXPECT_EQ(rtf.find("{\\footer", at + 1), std::string::npos);
        // It belongs to the document's formatting: after the tables, before the first paragraph of the text.
        EXPECT_LT(rtf.find("{\\colortbl"), at);
        EXPECT_LT(at, rtf.find("\\pard\\f0\\fs24 "));
        // "Page N of M": the current page's number and a field counting the pages.
        const std::string footer = GroupAt(rtf, at);
        EXPECT_NE(footer.find("Page {\\chpgn} of {\\field{\\*\\fldinst NUMPAGES }{\\fldrslt }}"), std::string::npos)
            << footer;
        EXPECT_TRUE(ReadRtf(footer).balanced);
        EXPECT_TRUE(ReadRtf(rtf).balanced);
        EXPECT_EQ(ReadRtf(rtf).text, PlainText(c.document));
    }
}

TEST(Rtf, FileIsWrittenOrTheFailureIsNamed) {
    const ReportDocument document = BuildReportDocument(test::SampleInput());
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                        ("kalvora-report-rtf-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "report.rtf").string();
    std::string error;
    ASSERT_TRUE(WriteRtfFile(document, path, &error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), ReportToRtf(document));
    std::filesystem::remove_all(dir);

    for (const std::string bad : {"/nonexistent-kalvora-dir/report.rtf", "/proc/version/report.rtf"}) {
        error.clear();
        EXPECT_FALSE(WriteRtfFile(document, bad, &error));
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace kalvora
