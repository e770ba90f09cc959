#include "platform/WriteAll.h"

#include <cerrno>

#include <unistd.h>

namespace zorvik {

int writeAll(int fd, QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.data(), std::size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return EIO; // never for a file, a pipe or a terminal; looping would not end
        bytes = bytes.sliced(written);
    }
    return 0;
}

} // namespace zorvik
