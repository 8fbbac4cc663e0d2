// kalvora: the desktop program. One copy runs per user; a second start says so and ends.

#include <QApplication>

#include "app/gui/emblem.h"
#include "app/gui/input_checks.h"
#include "app/gui/main_window.h"
#include "app/gui/shell.h"
#include "app/gui/single_instance.h"
#include "app/gui/theme.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalvora"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(kalvora::AppTitle));
    QApplication::setDesktopFileName(QStringLiteral("kalvora"));
    QApplication::setWindowIcon(kalvora::EmblemIcon());
    kalvora::ApplyHouseStyle(app);

    const kalvora::ShellServices services = kalvora::DesktopServices();
    kalvora::SingleInstance instance(kalvora::SingleInstance::DefaultLockPath());
    if (!instance.Acquire()) {
        services.showMessage(nullptr, QMessageBox::Information,
                             QString::fromLatin1(kalvora::MsgAlreadyRunning.data(),
                                                 static_cast<qsizetype>(kalvora::MsgAlreadyRunning.size())));
        return 0;
    }

    kalvora::MainWindow window(services);
    window.show();
    return QApplication::exec();
}
