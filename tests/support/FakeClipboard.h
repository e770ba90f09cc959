#pragma once

#include "platform/Clipboard.h"

#include <QStringList>

namespace zorvik::test {

// Records what reaches the clipboard, as text; can refuse a number of tries first.
class FakeClipboard : public Clipboard {
public:
    QStringList calls;
    int refusals = 0;
    bool clear() override {
        calls << QStringLiteral("clear");
        return true;
    }
    bool setText(const QByteArray& utf8) override {
        if (refusals > 0) {
            --refusals;
            return false;
        }
        calls << QString::fromUtf8(utf8);
        return true;
    }
};

} // namespace zorvik::test
