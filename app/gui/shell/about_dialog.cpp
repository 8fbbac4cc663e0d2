#include "app/gui/shell/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/shell/emblem.h"
#include "app/gui/shell/shell.h"

namespace kalvora {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromLatin1(AppTitle));
    setWindowIcon(EmblemIcon());
    setModal(true);

    auto* title = new QLabel(QString::fromLatin1(AppTitle));
    title->setObjectName(QStringLiteral("lblAboutTitle"));
    title->setProperty("role", "pageTitle");
    auto* subtitle = new QLabel(QStringLiteral("Vedic Electional Astrology"));
    subtitle->setProperty("role", "reportSubtitle");

    auto* description = new QLabel(QStringLiteral(
        "Kalvora finds out how auspicious a chosen date and time is for beginning an undertaking: a child "
        "ceremony, a marriage, learning, moving house, a new job or business, a journey, construction, money "
        "matters, legal matters, medical treatment or buying and selling.\n\n"
        "It computes the Moon's rashi and nakshatra, the lagna and the panchanga of the muhurtha and of the "
        "native's birth, weighs Tara bala and Chandra bala and the classical rules of the undertaking, and rates "
        "the muhurtha Good, Average or Bad. Everything is computed on this computer; nothing is sent anywhere."));
    description->setObjectName(QStringLiteral("lblAboutDescription"));
    description->setProperty("role", "about");
    description->setWordWrap(true);
    description->setFixedWidth(360);

    // The data and libraries the program takes its places, zones and planets from, with their licences.
    auto* credits = new QLabel(QStringLiteral(
        "Kalvora is free software under the GNU General Public License, version 3 or later.\n\n"
        "Places: the GeoNames gazetteer (geonames.org), CC-BY-4.0, as Debian's libgeonames (GPL-3.0) carries it.\n"
        "Time zones: the IANA time zone database (tzdata, public domain) of this computer.\n"
        "Planets: the Swiss Ephemeris library, which Debian distributes under the AGPL-3.0; a program under the "
        "GPL-3.0 may be combined with it."));
    credits->setObjectName(QStringLiteral("lblAboutCredits"));
    credits->setProperty("role", "hint");
    credits->setWordWrap(true);
    credits->setFixedWidth(360);

    auto* site = new QLabel(QString::fromLatin1(PublisherSite));
    site->setProperty("role", "hint");

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setProperty("role", "primary");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(title);
    text->addWidget(subtitle);
    text->addSpacing(8);
    text->addWidget(description);
    text->addSpacing(4);
    text->addWidget(credits);
    text->addSpacing(4);
    text->addWidget(site);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(new EmblemWidget(96), 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 20, 22, 16);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kalvora
