#pragma once

// Dialogs that answer as a user running the benchmark would: yes to every question, the prepared texts
// and save name, and every notice kept to be checked after the run.
#include "platform/Dialogs.h"

#include <QElapsedTimer>
#include <QStringList>

#include <deque>
#include <functional>

namespace zorvik::bench {

class BenchDialogs : public Dialogs {
public:
    QStringList notices;
    std::deque<QString> inputs;
    QString saveName;
    void notice(const QString&, const QString& text) override { notices << text; }
    void errorReport(const QString& text) override { notices << text; }
    bool askYesNo(const QString&, const QString&) override { return true; }
    QString inputText(const QString&, const QString&) override {
        QString answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return saveName; }
};

inline double secondsOf(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return double(clock.nsecsElapsed()) / 1e9;
}

} // namespace zorvik::bench
