#include "criteria/SizeTypes.h"

namespace zorvik {

std::optional<SizeUnit> unitFromText(const QString& text) {
    for (std::size_t i = 0; i < kUnitNames.size(); ++i) {
        if (text == QStringView(kUnitNames[i]))
            return static_cast<SizeUnit>(i);
    }
    return std::nullopt;
}

QString unitName(SizeUnit unit) {
    return QString::fromUtf16(kUnitNames[static_cast<std::size_t>(unit)]);
}

double bytesPerUnit(SizeUnit unit) {
    switch (unit) {
    case SizeUnit::Bytes:
        return 1.0;
    case SizeUnit::KB:
        return 1024.0;
    case SizeUnit::MB:
        return 1048576.0;
    case SizeUnit::GB:
        return 1073741824.0;
    }
    return 1.0;
}

} // namespace zorvik
