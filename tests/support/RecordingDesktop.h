#pragma once

#include "platform/Desktop.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace zorvik::test {

// A Desktop double: records what was opened or shown, and answers with a prepared refusal, if any;
// a refusal to show a file comes at once, or is kept for the test to give later when `answerLater`.
// No test ever starts a real application or file manager.
class RecordingDesktop : public Desktop {
public:
    std::vector<QByteArray> opened;
    std::vector<QByteArray> shown;
    std::optional<QString> refusal;
    bool answerLater = false;
    std::vector<Refused> unanswered;

    std::optional<QString> openFile(const QByteArray& path) override {
        opened.push_back(path);
        return refusal;
    }
    void showInFolder(const QByteArray& path, Refused refused) override {
        shown.push_back(path);
        if (answerLater)
            unanswered.push_back(std::move(refused));
        else if (refusal)
            refused(*refusal);
    }
};

} // namespace zorvik::test
