#include "app/gui/shell.h"

#include <QDesktopServices>

namespace kalvora {

QUrl PublisherPage(SitePage page) {
    const QString site = QString::fromLatin1(PublisherSite);
    switch (page) {
    case SitePage::Home: return QUrl(site);
    case SitePage::OnlineHelp: return QUrl(site + QStringLiteral("/help"));
    case SitePage::SoftwareUpdate: return QUrl(site + QStringLiteral("/update"));
    case SitePage::DetailedAnalysis: return QUrl(site + QStringLiteral("/analysis"));
    }
    return QUrl(site);
}

QUrl CoordinateSearchUrl(const QString& city, const QString& state, const QString& country) {
    const QString words = city + QLatin1Char(' ') + state + QLatin1Char(' ') + country +
                          QStringLiteral(" Latitude Longitude");
    // Every character outside the unreserved set is percent-encoded, so "&", "+" and "#" stay part of the words.
    return QUrl::fromEncoded(QByteArrayLiteral("https://duckduckgo.com/?q=") + QUrl::toPercentEncoding(words),
                             QUrl::StrictMode);
}

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QString::fromLatin1(AppTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

void OpenInBrowser(const QUrl& url) { QDesktopServices::openUrl(url); }

ShellServices DesktopServices() { return ShellServices{ShowMessageBox, OpenInBrowser, 3000}; }

}  // namespace kalvora
