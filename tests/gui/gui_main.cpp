// The GUI tests' own main: one QApplication on the offscreen platform (unless a platform is chosen), the
// program's font and style, then the tests.

#include <QApplication>

#include <gtest/gtest.h>

#include "app/gui/shell/theme.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kalvora::ApplyHouseStyle(app);
    return RUN_ALL_TESTS();
}
