#pragma once

#include "TestHome.h"

#include <QApplication>
#include <QByteArray>

namespace zorvik::fuzz {

// One application for the whole run, on the offscreen platform and in a throw-away home, so that no
// input can open a window on the desktop or touch the user's own settings. libFuzzer's arguments are
// not Qt's: the application sees only the program's name.
inline void startOffscreenApplication(char* programName) {
    static test::TestHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* argv[] = {programName, nullptr};
    static QApplication application(argc, argv);
}

} // namespace zorvik::fuzz
