#pragma once

// The real window for a benchmark: offscreen, with the given dialogs, settings in a throw-away folder,
// the real file system, trash and clipboard, started and shown as a user would see it.
#include "platform/Dialogs.h"
#include "platform/IniSettingsStore.h"
#include "shell/Form1.h"
#include "shell/Services.h"
#include "shell/WindowCommands.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

#include <memory>

namespace zorvik::bench {

// `walkThreads` 0 keeps the program's own choice.
inline std::unique_ptr<Form1> startWindow(std::shared_ptr<Dialogs> dialogs, const QString& programFolder,
                                          int walkThreads = 0) {
    Services services = makeRealServices(std::move(dialogs));
    services.settings = std::make_shared<IniSettingsStore>();
    services.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    services.programFolder = programFolder;
    services.homePageDraw = [] { return 1; };
    services.openUrl = [](const QUrl&) {};
    if (walkThreads > 0) {
        services.readAhead.threads = walkThreads;
        services.readAhead.threadsWhileWaiting = walkThreads;
        services.readAhead.threadsOnNetwork = walkThreads;
        services.readAhead.threadsOnRotatingDisk = walkThreads;
    }
    auto form = std::make_unique<Form1>(std::move(services));
    form->Form_Load();
    form->show();
    return form;
}

// The longest time between two passes of the event loop while it runs, as the user feels it.
class EventGapProbe {
public:
    EventGapProbe() {
        probe_.setInterval(0);
        QObject::connect(&probe_, &QTimer::timeout, [this] {
            longestNs_ = std::max(longestNs_, sinceEvents_.nsecsElapsed());
            sinceEvents_.restart();
        });
    }
    void start() {
        longestNs_ = 0;
        sinceEvents_.start();
        probe_.start();
    }
    // The time since the last pass counts too: a command that never yields is one long gap.
    // A probe not running keeps what it measured.
    void stop() {
        if (!probe_.isActive())
            return;
        probe_.stop();
        longestNs_ = std::max(longestNs_, sinceEvents_.nsecsElapsed());
    }
    double longestMs() const { return double(longestNs_) / 1e6; }

private:
    QElapsedTimer sinceEvents_;
    qint64 longestNs_ = 0;
    QTimer probe_;
};

// Clicks `button` and runs the event loop until every command the window started has ended.
inline void clickAndFinish(Form1& form, QAbstractButton* button) {
    button->click();
    WindowCommands& commands = form.commands();
    while (!commands.isIdle()) {
        JobLane& busy = commands.searchLane().isIdle() ? commands.commandLane() : commands.searchLane();
        QEventLoop loop;
        QObject::connect(&busy, &JobLane::idle, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace zorvik::bench
