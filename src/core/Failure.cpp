#include "core/Failure.h"

#include <cstring>

namespace zorvik {

QString errnoText(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

void throwErrno(int errorNumber) {
    throw Failure(errnoText(errorNumber), errorNumber);
}

} // namespace zorvik
