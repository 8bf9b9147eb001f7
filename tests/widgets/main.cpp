// Widget tests run inside one QApplication set up as the program sets up its own.
#include "platform/Runtime.h"
#include "platform/qt/Host.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // listing the tests at build time needs no display
    ::testing::InitGoogleTest(&argc, argv);
    PrepareHostEnvironment();
    QApplication application(argc, argv);
    InstallRuntime(application);
    // The tests start the program in this process; a copy running beside them would make
    // every start refuse (and wait on its message boxes).
    if (!GTEST_FLAG_GET(list_tests) && App::PrevInstance()) {
        std::fprintf(stderr, "another copy of the program runs for this user: end it first\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
