#pragma once

// A benchmark's throw-away home: the offscreen platform unless another is asked for, and settings in a
// temporary folder, so a run never reads or writes the user's own. Create it before the QApplication.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace zorvik::bench {

class BenchHome {
public:
    BenchHome() : dir_(QDir::tempPath() + QStringLiteral("/zorvik-bench-XXXXXX")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path()));
    }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace zorvik::bench
