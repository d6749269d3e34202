// Test entry: builds the engine's start-up tables once, as the program does.
#include <gtest/gtest.h>

#include "app/startup.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    init_engine_tables();
    return RUN_ALL_TESTS();
}
