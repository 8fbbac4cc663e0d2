#include "report/document.h"

namespace kalvora {

std::string PlainText(const ReportDocument& document) {
    std::string text;
    for (const ReportItem& item : document.items) {
        if (const auto* run = std::get_if<TextRun>(&item)) text += run->text;
    }
    return text;
}

void DocumentWriter::InsertText(std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    if (!document_.items.empty()) {
        if (auto* last = std::get_if<TextRun>(&document_.items.back()); last && last->style == style) {
            last->text += text;
            return;
        }
    }
    document_.items.emplace_back(TextRun{std::string(text), style});
}

void WriteDocument(const ReportDocument& document, RichTextWriter& writer) {
    writer.Clear();
    for (const ReportItem& item : document.items) {
        if (const auto* run = std::get_if<TextRun>(&item)) {
            writer.InsertText(run->text, run->style);
        } else {
            writer.InsertPicture(std::get<PictureItem>(item).picture);
        }
    }
}

}  // namespace kalvora
