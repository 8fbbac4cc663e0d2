#include "app/gui/time_zone_picker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/emblem.h"
#include "app/gui/shell.h"
#include "app/gui/zones.h"

namespace kalvora {

TimeZonePicker::TimeZonePicker(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTimeZone"));
    setWindowTitle(QString::fromLatin1(AppTitle));
    setWindowIcon(EmblemIcon());
    setModal(true);
    resize(430, 480);

    auto* title = new QLabel(QStringLiteral("Choose Time Zone"));
    title->setProperty("role", "pageTitle");
    auto* hint = new QLabel(QStringLiteral("Double-click a zone to enter its hours and minutes on the page."));
    hint->setProperty("role", "hint");
    hint->setWordWrap(true);

    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("lstTimeZone"));
    for (const NamedZone& zone : NamedZones) {
        list_->addItem(QString::fromUtf8(zone.text.data(), static_cast<qsizetype>(zone.text.size())));
    }
    list_->setCurrentRow(0);
    connect(list_, &QListWidget::doubleClicked, this, &TimeZonePicker::Apply);

    auto* quit = new QPushButton(QStringLiteral("&Quit"));
    quit->setObjectName(QStringLiteral("cmdQuit"));
    quit->setAutoDefault(false);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(quit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

void TimeZonePicker::Apply(const QModelIndex& index) {
    const int row = index.row();
    if (row < 0 || row >= static_cast<int>(NamedZones.size())) return;
    const NamedZone& zone = NamedZones[static_cast<std::size_t>(row)];
    Q_EMIT zoneChosen(zone.hours, zone.minutes);
    accept();
}

}  // namespace kalvora
