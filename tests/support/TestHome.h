#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace zorvik::test {

// A throw-away home for settings, data, state and runtime files, so that no test ever reads or writes the
// developer's own configuration or trash. It must exist before anything touches QSettings, which
// caches its location at first use.
class TestHome {
public:
    TestHome() : home_(QDir::tempPath() + QStringLiteral("/zorvik-test-XXXXXX")) {
        if (!home_.isValid())
            return;
        root_ = QFile::encodeName(home_.path());
        for (const char* sub : {"config", "data", "runtime", "state"})
            QDir().mkpath(home_.path() + QLatin1Char('/') + QLatin1String(sub));
        qputenv("XDG_CONFIG_HOME", root_ + "/config");
        qputenv("XDG_DATA_HOME", root_ + "/data");
        qputenv("XDG_RUNTIME_DIR", root_ + "/runtime");
        qputenv("XDG_STATE_HOME", root_ + "/state");
        QFile::setPermissions(home_.path() + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // Trashed and moved files may have names that are not UTF-8, which QTemporaryDir cannot remove.
        home_.setAutoRemove(false);
    }
    ~TestHome() {
        if (!root_.isEmpty())
            std::system(QByteArray("rm -rf -- '" + root_ + "'").constData());
    }
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    bool isValid() const { return !root_.isEmpty(); }

private:
    QTemporaryDir home_;
    QByteArray root_;
};

} // namespace zorvik::test
