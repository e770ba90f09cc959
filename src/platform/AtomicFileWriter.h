#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class QSaveFile;

namespace zorvik {

// Writes a whole file through a temporary that takes the file's place only once it is complete, so a
// failure at any point leaves the old file as it was. Every operation throws Failure with the
// system's reason.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& fileName);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void open();
    // A failed write abandons the temporary: nothing more can be written or committed.
    void write(QByteArrayView bytes);
    void commit();

private:
    [[noreturn]] void failWith(int errorNumber, const QString& fallback);

    std::unique_ptr<QSaveFile> file_;
};

} // namespace zorvik
