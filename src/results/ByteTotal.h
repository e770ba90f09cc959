#pragma once

#include <QtGlobal>

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
    // For display: exact below 2^53 bytes, then to the nearest representable value.
    double approximate() const { return double(high_) * 18446744073709551616.0 + double(low_); }
    bool operator==(const ByteTotal&) const = default;

private:
    quint64 low_ = 0;
    quint64 high_ = 0;
};

} // namespace zorvik
