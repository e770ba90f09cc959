#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>

namespace zorvik {

// A sum of file sizes that cannot overflow: sparse files may each claim up to 2^63 bytes, and a list
// may hold a million of them. Kept exact, so that removing what was added gives back the old total.
class ByteTotal {
public:
    void add(quint64 bytes) {
        const quint64 before = low_;
        low_ += bytes;
        if (low_ < before)
            ++high_;
    }
    void subtract(quint64 bytes) {
        if (low_ < bytes)
            --high_;
        low_ -= bytes;
    }
    // The exact sum in decimal digits.
    QByteArray digits() const {
        quint64 high = high_;
        quint64 low = low_;
        QByteArray reversed;
        do {
            // (high * 2^64 + low) / 10, long division by 32-bit steps so that nothing overflows.
            quint64 rest = high % 10;
            high /= 10;
            const quint64 upper = (rest << 32) | (low >> 32);
            rest = upper % 10;
            const quint64 lower = (rest << 32) | (low & 0xffffffffU);
            low = ((upper / 10) << 32) | (lower / 10);
            reversed.append(char('0' + lower % 10));
        } while (high != 0 || low != 0);
        std::reverse(reversed.begin(), reversed.end());
        return reversed;
    }
    // For display: exact below 2^53 bytes, then to the nearest representable value.
    double approximate() const { return double(high_) * 18446744073709551616.0 + double(low_); }
    bool operator==(const ByteTotal&) const = default;

private:
    quint64 low_ = 0;
    quint64 high_ = 0;
};

} // namespace zorvik
