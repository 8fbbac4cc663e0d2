// kalvora: the desktop program. One copy runs per user; a second start says so and ends.

#include <csignal>
#include <cstdio>
#include <string_view>

#include <QApplication>

#include "app/gui/shell/emblem.h"
#include "app/gui/pages/input_checks.h"
#include "app/gui/shell/main_window.h"
#include "app/gui/shell/shell.h"
#include "app/gui/shell/single_instance.h"
#include "app/gui/shell/theme.h"
#include "kalvora_version.h"

namespace {

constexpr char UsageText[] =
    "usage: kalvora [--version] [--help] [-platform NAME] [-style NAME]\n"
    "Opens the window of the desktop program: the undertaking, the proposed muhurtha and the birth data,\n"
    "then the details of both moments and the analysis report. One copy runs per user.\n"
    "--version prints the program's name and release; --help prints this text. The other options are the\n"
    "toolkit's own (-platform offscreen runs without a display). kalvora-cli makes the same calculation\n"
    "from the command line.\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so that they need no display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::fputs("kalvora " KALVORA_VERSION "\n", stdout);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(UsageText, stdout);
            return 0;
        }
    }

    // Past a file-size limit "Save Report..." then fails with a message (and leaves no temporary file) instead
    // of the program being stopped.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalvora"));
    QApplication::setApplicationVersion(QStringLiteral(KALVORA_VERSION));
    QApplication::setApplicationDisplayName(QString::fromLatin1(kalvora::AppTitle));
    QApplication::setDesktopFileName(QStringLiteral("io.github.kalvora.Kalvora"));
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
