#pragma once

#include "platform/Clipboard.h"

namespace zorvik {

// The desktop's clipboard through QGuiApplication::clipboard().
class QtClipboard : public Clipboard {
public:
    bool clear() override;
    bool setText(const QString& text) override;
};

} // namespace zorvik
