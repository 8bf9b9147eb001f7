// Widget tests run inside one QApplication set up as the program sets up its own.
#include "platform/qt/Host.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // listing the tests at build time needs no display
    ::testing::InitGoogleTest(&argc, argv);
    PrepareHostEnvironment();
    QApplication application(argc, argv);
    InstallRuntime(application);
    return RUN_ALL_TESTS();
}
