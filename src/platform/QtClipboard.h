#pragma once

#include "platform/Clipboard.h"

namespace zorvik {

// The desktop's clipboard through QGuiApplication::clipboard().
class QtClipboard : public Clipboard {
public:
    bool clear() override;
    bool setText(const QByteArray& utf8) override;
};

} // namespace zorvik
