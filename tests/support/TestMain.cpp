// Tests that drive real windows run inside one window system, set up as the program sets
// up its own.
#include "platform/Entry.h"
#include "platform/Runtime.h"
#include "support/Driver.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no window system
    PrepareTestWindowSystem();
    const auto windowSystem = StartWindowSystem(argc, argv);
    // The tests start the program in this process; a copy running beside them would make
    // every start refuse (and wait on its message boxes).
    if (App::PrevInstance()) {
        std::fprintf(stderr, "another copy of the program runs for this user: end it first\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
