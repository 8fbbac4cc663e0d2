#pragma once
// Fonts and colours of the windows: Verdana where it is installed, DejaVu Sans otherwise; warm ivory pages,
// a night-blue header band and saffron for the way forward.

#include <string_view>

#include <QColor>
#include <QString>

class QApplication;
class QFrame;
class QLabel;
class QLayout;
class QScrollArea;
class QWidget;

namespace kalvora {

namespace colours {
inline const QColor Page{0xF5, 0xF1, 0xE8};
inline const QColor Card{0xFF, 0xFD, 0xF8};
inline const QColor Ink{0x2B, 0x2F, 0x45};
inline const QColor Muted{0x6B, 0x6F, 0x85};
inline const QColor Night{0x27, 0x30, 0x4F};
inline const QColor Saffron{0xC8, 0x78, 0x2A};
// The category captions: black, and green while the pointer is over one.
inline const QColor CategoryNormal{0x00, 0x00, 0x00};
inline const QColor CategoryHover{0x00, 0x80, 0x00};
}  // namespace colours

// "Verdana" when installed, else "DejaVu Sans".
QString HouseFontFamily();

// A label the style sheet dresses by its role ("hint", "cardTitle", "pageTitle", ...).
QLabel* StyledLabel(const QString& text, const char* role);
// A rounded panel on the page.
QFrame* Card();
// Blue and underlined, for captions that open something.
void StyleAsLink(QLabel* label);
// Sets a dynamic property the style sheet reads (such as "current" or "hover") and re-applies the sheet.
void SetStyleProperty(QWidget* widget, const char* name, bool value);

// The contents of a page (the layout, without margins), scrolled where the window is smaller than they can shrink
// to, on the page's own colour.
QScrollArea* ScrollingContents(QLayout* contents, const char* name);

// A text of the core's tables as a QString.
QString FromView(std::string_view text);

// The program-wide font and style sheet.
void ApplyHouseStyle(QApplication& app);
QString HouseStyleSheet();

}  // namespace kalvora
