#include "app/gui/pages/place_search.h"

#include <cmath>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/shell/emblem.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/theme.h"
#include "astro/moment.h"

namespace kalvora {

namespace {

// The most places listed at once.
constexpr std::size_t ListedPlaces = 50;
constexpr std::size_t NearestPlaces = 8;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PlaceSearchDialog::PlaceSearchDialog(AtlasSource* atlas, const QString& query, QWidget* parent)
    : QDialog(parent), atlas_(atlas) {
    setObjectName(QStringLiteral("frmPlaceSearch"));
    setWindowTitle(QString::fromLatin1(AppTitle));
    setWindowIcon(EmblemIcon());
    setModal(true);
    resize(860, 480);

    auto* title = StyledLabel(QStringLiteral("Places of the Atlas"), "pageTitle");
    auto* hint = StyledLabel(QStringLiteral("Type a city, with its state or country after a comma where names are "
                                            "shared (\"Hyderabad, Pakistan\"). Double-click a place, or press "
                                            "Return, to enter its coordinates and time zone on the page."),
                             "hint");
    hint->setWordWrap(true);
    search_ = new QLineEdit(query);
    search_->setObjectName(QStringLiteral("txtPlaceSearch"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);

    matches_ = new QTreeWidget;
    matches_->setObjectName(QStringLiteral("lstPlaceMatches"));
    matches_->setColumnCount(6);
    matches_->setHeaderLabels({QStringLiteral("Place"), QStringLiteral("State"), QStringLiteral("Country"),
                               QStringLiteral("Latitude"), QStringLiteral("Longitude"), QStringLiteral("Time Zone")});
    matches_->setRootIsDecorated(false);
    matches_->setUniformRowHeights(true);
    matches_->setAlternatingRowColors(true);
    matches_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    matches_->header()->setStretchLastSection(true);
    status_ = StyledLabel(QString(), "hint");
    status_->setObjectName(QStringLiteral("lblPlaceSearchStatus"));
    status_->setWordWrap(true);

    use_ = new QPushButton(QStringLiteral("&Use Place"));
    use_->setObjectName(QStringLiteral("cmdUsePlace"));
    use_->setProperty("role", "primary");
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("cmdCancelPlace"));
    cancel->setAutoDefault(false);
    connect(use_, &QPushButton::clicked, this, &PlaceSearchDialog::Choose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(matches_, &QTreeWidget::activated, this, &PlaceSearchDialog::Choose);
    connect(search_, &QLineEdit::textChanged, this, &PlaceSearchDialog::ShowMatches);
    if (atlas_ != nullptr) connect(atlas_, &AtlasSource::ready, this, &PlaceSearchDialog::ShowMatches);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(cancel);
    buttons->addWidget(use_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addWidget(search_);
    layout->addWidget(matches_, 1);
    layout->addLayout(buttons);
    use_->setDefault(true);  // once in the window, which then keeps it as its default for Return
    search_->setFocus();
    ShowMatches();
}

void PlaceSearchDialog::ShowMatches() {
    matches_->clear();
    shown_.clear();
    const Atlas* loaded = atlas_ != nullptr ? atlas_->IfReady() : nullptr;
    const std::string query = search_->text().trimmed().toStdString();
    QString status;
    if (loaded == nullptr) {
        status = QStringLiteral("The atlas is being read; the places follow in a moment.");
    } else if (!query.empty()) {
        for (const PlaceMatch& match : SearchPlaces(*loaded, query, ListedPlaces)) shown_.push_back(match.index);
        const std::string city = query.substr(0, query.find(','));
        if (shown_.empty() && city.size() < query.size()) {
            for (const PlaceMatch& match : SearchPlaces(*loaded, city, ListedPlaces)) shown_.push_back(match.index);
            if (!shown_.empty()) {
                status = QStringLiteral("No place matches \"%1\"; the places named \"%2\":")
                             .arg(Utf8(query), Utf8(city).trimmed());
            }
        }
        if (shown_.empty()) {
            shown_ = NearestNames(*loaded, query, NearestPlaces);
            status = shown_.empty() ? QStringLiteral("No place of the atlas matches \"%1\".").arg(Utf8(query))
                                    : QStringLiteral("No place matches \"%1\"; the nearest names:").arg(Utf8(query));
        }
        if (status.isEmpty()) {
            status = shown_.size() == 1 ? QStringLiteral("1 place") : QStringLiteral("%1 places").arg(shown_.size());
        }
    }
    if (loaded != nullptr) {
        for (const std::size_t index : shown_) {
            const Place& place = loaded->places()[index];
            new QTreeWidgetItem(matches_, {Utf8(place.name), Utf8(place.state), Utf8(place.country),
                                           QString::fromStdString(AngleText(place.latitudeDeg, 'N', 'S')),
                                           QString::fromStdString(AngleText(place.longitudeDeg, 'E', 'W')),
                                           Utf8(place.timeZone)});
        }
    }
    if (matches_->topLevelItemCount() > 0) matches_->setCurrentItem(matches_->topLevelItem(0));
    status_->setText(status);
    use_->setEnabled(!shown_.empty());
}

void PlaceSearchDialog::Choose() {
    const Atlas* loaded = atlas_ != nullptr ? atlas_->IfReady() : nullptr;
    const int row = matches_->indexOfTopLevelItem(matches_->currentItem());
    if (loaded == nullptr || row < 0 || static_cast<std::size_t>(row) >= shown_.size()) return;
    Q_EMIT placeChosen(loaded->places()[shown_[static_cast<std::size_t>(row)]]);
    accept();
}

bool PlaceSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the search field move through the listed places.
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            const int row = matches_->indexOfTopLevelItem(matches_->currentItem()) + (key == Qt::Key_Down ? 1 : -1);
            if (row >= 0 && row < matches_->topLevelItemCount()) matches_->setCurrentItem(matches_->topLevelItem(row));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kalvora
