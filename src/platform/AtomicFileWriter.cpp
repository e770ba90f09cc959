#include "platform/AtomicFileWriter.h"

#include "core/Failure.h"

#include <QSaveFile>

#include <cerrno>

namespace zorvik {

AtomicFileWriter::AtomicFileWriter(const QString& fileName) : file_(std::make_unique<QSaveFile>(fileName)) {}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::open() {
    errno = 0;
    if (!file_->open(QIODevice::WriteOnly))
        throw Failure(file_->errorString());
}

void AtomicFileWriter::write(QByteArrayView bytes) {
    errno = 0;
    if (file_->write(bytes.data(), bytes.size()) == bytes.size())
        return;
    // A full disk reaches QSaveFile as "Unknown error"; errno still names it. Read both before
    // cancelling, which replaces them with its own text.
    const int errorNumber = errno;
    const QString reason = file_->errorString();
    file_->cancelWriting();
    failWith(errorNumber, reason);
}

void AtomicFileWriter::commit() {
    errno = 0;
    if (!file_->commit())
        failWith(errno, file_->errorString());
}

void AtomicFileWriter::failWith(int errorNumber, const QString& fallback) {
    if (errorNumber != 0)
        throwErrno(errorNumber);
    throw Failure(fallback);
}

} // namespace zorvik
