// The entry point of the tests that need the window: a QApplication on the offscreen platform, in a
// throw-away home.
#include "TestHome.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const zorvik::test::TestHome home;
    if (!home.isValid())
        return 2;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
