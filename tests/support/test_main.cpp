// The test binary's entry point. Every test runs against a throw-away home for settings, data and
// runtime files, so no test ever reads or writes the developer's own configuration or trash.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // QSettings caches its location at first use, so this must happen before anything touches it.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/zorvik-test-XXXXXX"));
    if (!home.isValid())
        return 2;
    const QByteArray root = QFile::encodeName(home.path());
    for (const char* sub : {"config", "data", "runtime"})
        QDir().mkpath(home.path() + QLatin1Char('/') + QLatin1String(sub));
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // Trashed and moved files may have names that are not UTF-8, which QTemporaryDir cannot remove.
    home.setAutoRemove(false);
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::system(QByteArray("rm -rf -- '" + root + "'").constData());
    return result;
}
