// The entry point of the tests of everything that needs no widget: a QCoreApplication in a throw-away
// home.
#include "TestHome.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const zorvik::test::TestHome home;
    if (!home.isValid())
        return 2;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
