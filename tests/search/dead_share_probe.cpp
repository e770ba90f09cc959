// The real window over a share whose server stops answering, for tests/search/dead-share.sh: a search
// runs until rows come in, then the server's session processes are stopped (SIGSTOP); once the search
// has found nothing new for a while it is stuck, and Stop is pressed. A second search then waits on
// the stuck share, and the window is closed during that wait; the program leaves by its own way out.
// Prints what it saw, one fact a line, for the script to judge.
//   zorvik_dead_share_probe FOLDER SERVER_PID...
// Settings go wherever XDG_CONFIG_HOME points: the script gives it a folder of its own.
#include "core/BlockingCall.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "shell/Form1.h"
#include "shell/HoverButton.h"
#include "shell/Services.h"
#include "shell/WindowCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QRadioButton>

#include <csignal>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class NoticeDialogs : public zorvik::Dialogs {
public:
    QStringList notices;
    void notice(const QString&, const QString& text) override { notices << text; }
    void errorReport(const QString& text) override { notices << text; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString inputText(const QString&, const QString&) override { return {}; }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

// How long the search must find nothing new, with the server stopped, to count as stuck.
constexpr qint64 kStuckAfterMs = 500;
// How long the second search waits on the stuck share before the window is closed.
constexpr qint64 kCloseAfterMs = 300;

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: zorvik_dead_share_probe FOLDER SERVER_PID...\n");
        return 2;
    }
    std::vector<pid_t> server;
    for (int i = 2; i < argc; ++i)
        server.push_back(pid_t(std::atol(argv[i])));

    auto dialogs = std::make_shared<NoticeDialogs>();
    zorvik::Services services = zorvik::makeRealServices(dialogs);
    services.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    services.homePageDraw = [] { return 1; };
    services.openUrl = [](const QUrl&) {};

    enum class Phase { Searching, Frozen, Stopped, Waiting, Closed } phase = Phase::Searching;
    QElapsedTimer clock;
    clock.start();
    qint64 lastProgressMs = 0;
    qint64 stoppedAtMs = 0;
    qint64 waitingSinceMs = 0;
    int rowsSeen = 0;
    zorvik::Form1* window = nullptr;
    services.yieldHook = [&] {
        const int rows = window->results->count();
        const qint64 now = clock.elapsed();
        if (rows != rowsSeen) {
            rowsSeen = rows;
            lastProgressMs = now;
        }
        if (phase == Phase::Searching && rows > 0) {
            for (const pid_t pid : server)
                ::kill(pid, SIGSTOP);
            std::printf("server stopped after %d rows\n", rows);
            std::fflush(stdout);
            phase = Phase::Frozen;
            lastProgressMs = now;
        } else if (phase == Phase::Frozen && now - lastProgressMs > kStuckAfterMs) {
            phase = Phase::Stopped;
            stoppedAtMs = clock.elapsed();
            window->PushButton1->click(); // Stop
        } else if (phase == Phase::Waiting && now - waitingSinceMs > kCloseAfterMs) {
            phase = Phase::Closed;
            std::printf("closing\n");
            std::fflush(stdout);
            window->close();
        }
    };

    zorvik::Form1 form(std::move(services));
    window = &form;
    form.Form_Load();
    form.show();
    form.folders->add(QString::fromLocal8Bit(argv[1]));
    // Every file: rows come in from the first folder on.
    form.Option[2]->click();
    form.Combo[3]->setCurrentText(u"Bytes"_s);
    form.Text[3]->setText(u"99999999999999"_s);

    // A click starts a job; the probe waits for it as the event loop of the program would run.
    const auto finishSearch = [&form] {
        while (form.isSearching()) {
            QEventLoop loop;
            QObject::connect(&form.commands().searchLane(), &zorvik::JobLane::idle, &loop, &QEventLoop::quit);
            loop.exec();
        }
    };
    form.PushButton1->click();
    finishSearch();
    if (phase != Phase::Stopped) {
        std::printf("the search ended before it was stuck (%d rows)\n", rowsSeen);
        return 3;
    }
    std::printf("stop to end of search: %lld ms\n", static_cast<long long>(clock.elapsed() - stoppedAtMs));
    std::printf("notices: %s\n", qPrintable(dialogs->notices.join(u" | "_s)));
    std::printf("rows: %d\n", form.results->count());
    std::fflush(stdout);

    phase = Phase::Waiting;
    waitingSinceMs = clock.elapsed();
    form.PushButton1->click(); // a second search, of the share that still does not answer
    finishSearch();
    std::printf("window closed: %s\n", form.isClosing() ? "yes" : "no");
    std::fflush(stdout);
    zorvik::WorkerThreads::endProcessIfAnyRuns(0, std::chrono::milliseconds(200));
    std::printf("no worker left\n");
    return 0;
}
