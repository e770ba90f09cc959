#pragma once

#include <QByteArrayView>

namespace zorvik {

// Writes every byte of `bytes` to `fd`, going on where a signal or a short write stopped the system.
// 0 when all is written, else the errno value (EIO where the system wrote nothing and said no more).
// Only system calls: any thread may use it, on a descriptor no other thread writes meanwhile.
[[nodiscard]] int writeAll(int fd, QByteArrayView bytes);

} // namespace zorvik
