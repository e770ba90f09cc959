#pragma once

#include "platform/Desktop.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace zorvik::test {

// A Desktop double: records what was opened or shown, and answers with a prepared refusal, if any.
// No test ever starts a real application or file manager.
class RecordingDesktop : public Desktop {
public:
    std::vector<QByteArray> opened;
    std::vector<QByteArray> shown;
    std::optional<QString> refusal;

    std::optional<QString> openFile(const QByteArray& path) override {
        opened.push_back(path);
        return refusal;
    }
    std::optional<QString> showInFolder(const QByteArray& path) override {
        shown.push_back(path);
        return refusal;
    }
};

} // namespace zorvik::test
