// Entry point of the widget tests: one application object for the whole run,
// the program's own, offscreen unless the environment names another platform.
#include "ui/ReportingApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    zelvik::ReportingApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
