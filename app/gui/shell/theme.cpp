#include "app/gui/shell/theme.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QStyle>

namespace kalvora {

QString HouseFontFamily() {
    const QString verdana = QStringLiteral("Verdana");
    return QFontDatabase::hasFamily(verdana) ? verdana : QStringLiteral("DejaVu Sans");
}

QLabel* StyledLabel(const QString& text, const char* role) {
    auto* label = new QLabel(text);
    label->setProperty("role", role);
    return label;
}

QFrame* Card() {
    auto* card = new QFrame;
    card->setProperty("role", "card");
    return card;
}

void StyleAsLink(QLabel* label) {
    label->setProperty("role", "link");
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
}

void SetStyleProperty(QWidget* widget, const char* name, bool value) {
    widget->setProperty(name, value);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

QScrollArea* ScrollingContents(QLayout* contents, const char* name) {
    auto* content = new QWidget;
    contents->setContentsMargins(0, 0, 0, 0);
    content->setLayout(contents);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QString::fromLatin1(name));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    // The page's colour shows through: neither the viewport nor the contents paint a background of their own.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    return scroll;
}

QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void ApplyHouseStyle(QApplication& app) {
    QFont font(HouseFontFamily());
    font.setPointSizeF(9.5);
    app.setFont(font);
    app.setStyleSheet(HouseStyleSheet());
}

QString HouseStyleSheet() {
    // Object names that start with "lbl"/"cmd"/"pic" belong to the controls; the style classes below use
    // dynamic properties ("role") so the controls keep the names a reader looks for.
    return QStringLiteral(R"(
QMainWindow, QDialog { background: #F5F1E8; }
QWidget { color: #2B2F45; }
QLabel { background: transparent; }

QWidget#headerBand { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1F2743, stop:1 #3A4777); }
QLabel#lblAppTitle { color: #F3E3B5; font-size: 17pt; font-weight: bold; letter-spacing: 1px; }
QLabel#lblAppSubtitle { color: #C9CCE3; font-size: 9pt; }
QLabel[role="step"] { color: #9EA4C6; padding: 4px 12px; border-radius: 9px; min-height: 18px; font-size: 8.5pt; font-weight: bold; }
QLabel[role="step"][current="true"] { color: #1F2743; background: #F2C46D; }
QWidget#footerBand { background: #ECE5D6; border-top: 1px solid #DDD2BC; }

QFrame[role="card"] { background: #FFFDF8; border: 1px solid #E2D8C3; border-radius: 8px; }
QLabel[role="pageTitle"] { font-size: 13pt; font-weight: bold; color: #27304F; }
QLabel[role="cardTitle"] { font-size: 10.5pt; font-weight: bold; color: #8A4F16; }
QLabel[role="hint"] { color: #6B6F85; }
QLabel[role="warning"] { color: #9A3412; }
QLabel[role="about"] { color: #4A4E66; }
QLabel[role="fieldCaption"] { color: #4A4E66; font-weight: bold; }
QLabel[role="unitHint"] { color: #8C8FA3; font-size: 8pt; }
QLabel[role="link"] { color: #1F5FA8; }
QLabel[role="zoneValue"] { background: #FFFFFF; border: 1px solid #CFC4AC; border-radius: 4px;
                           padding: 3px 8px; min-width: 28px; font-weight: bold; }
QLabel[role="category"] { color: #000000; padding: 5px 10px; border-radius: 5px; }
QLabel[role="category"][hover="true"] { color: #008000; }
QLabel[role="category"][current="true"] { background: #F3E6CB; font-weight: bold; }
QLabel[role="category"]:focus, QLabel[role="link"]:focus { border: 1px dotted #C8782A; }
QLabel[role="rowHeading"] { color: #6B4A2A; font-weight: bold; padding: 5px 10px; }
QLabel[role="rowValue"] { color: #1E2236; padding: 5px 10px; }
QLabel[role="rowUntil"] { color: #8A4F16; padding: 5px 10px; }
QWidget[role="rowEven"] { background: #FAF5EA; border-radius: 4px; }
QLabel[role="dayAlert"] { background: #FBE6DF; border: 1px solid #E3A593; border-radius: 6px; color: #8B2A14;
                          padding: 8px 12px; font-weight: bold; }
QLabel[role="dayNote"] { background: #EEF0F8; border: 1px solid #C9CCE3; border-radius: 6px; color: #27304F;
                         padding: 8px 12px; }
QTableWidget { background: #FFFFFF; border: 1px solid #E2D8C3; border-radius: 6px; gridline-color: #F1EADB;
               alternate-background-color: #FAF5EA; }
QLabel[role="reportTitle"] { font-size: 15pt; font-weight: bold; color: #27304F; }
QLabel[role="reportSubtitle"] { color: #8A4F16; font-size: 10pt; }
QLabel#lblResult { color: #1E2236; padding: 4px; }
QLabel#lblWait { font-size: 13pt; color: #27304F; }

QGroupBox { background: #FFFDF8; border: 1px solid #E2D8C3; border-radius: 8px; margin-top: 14px;
            padding: 14px 12px 10px 12px; font-weight: bold; color: #8A4F16; }
QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 6px; background: #F5F1E8; }

QLineEdit, QComboBox { background: #FFFFFF; border: 1px solid #CFC4AC; border-radius: 4px; padding: 3px 6px;
                       min-height: 20px; selection-background-color: #C8782A; }
QLineEdit:focus, QComboBox:focus { border: 1px solid #C8782A; }
QComboBox QAbstractItemView { background: #FFFFFF; selection-background-color: #F3E6CB; selection-color: #2B2F45; }

QPushButton { background: #FFFDF8; border: 1px solid #C9B998; border-radius: 5px; padding: 6px 18px;
              color: #4A3520; }
QPushButton:hover { background: #F3E6CB; }
QPushButton:pressed { background: #E8D5AE; }
QPushButton[role="primary"] { background: #C8782A; border: 1px solid #A65F1C; color: #FFFFFF; font-weight: bold; }
QPushButton[role="primary"]:hover { background: #D6873A; }
QPushButton[role="primary"]:pressed { background: #A65F1C; }
QPushButton:disabled { background: #F4F0E8; border: 1px solid #DDD3BF; color: #A69C8C; }
QPushButton[role="primary"]:disabled { background: #E3BE96; border: 1px solid #D2A676; color: #FFF8F0; }

QTreeWidget, QListWidget, QTextBrowser { background: #FFFFFF; border: 1px solid #E2D8C3; border-radius: 6px; }
QTreeWidget::item, QListWidget::item { padding: 4px 4px; }
QTreeWidget::item:selected, QListWidget::item:selected { background: #F3E6CB; color: #2B2F45; }
QHeaderView::section { background: #EFE6D2; color: #6B4A2A; border: none; border-bottom: 1px solid #E2D8C3;
                       padding: 5px 8px; font-weight: bold; }

QTabWidget::pane { border: 1px solid #E2D8C3; border-radius: 6px; background: #FFFDF8; top: -1px; }
QTabBar::tab { background: #ECE5D6; color: #5A5E78; border: 1px solid #E2D8C3; border-bottom: none;
               border-top-left-radius: 6px; border-top-right-radius: 6px; padding: 7px 18px; margin-right: 3px; }
QTabBar::tab:selected { background: #FFFDF8; color: #27304F; border-top: 3px solid #C8782A; padding-top: 5px; }
QTabBar::tab:hover:!selected { background: #F3E6CB; }

QScrollArea { background: transparent; border: none; }
QMenuBar { background: #ECE5D6; }
QMenuBar::item:selected { background: #F3E6CB; }
QMenu { background: #FFFDF8; border: 1px solid #E2D8C3; }
QMenu::item:selected { background: #F3E6CB; color: #2B2F45; }
)");
}

}  // namespace kalvora
