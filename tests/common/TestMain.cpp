// Test main of the standard-library suites: the process takes the locale of its environment, so
// the comma-decimal run of the suites really runs under a comma-decimal locale.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
