// Times the result commands of the real window over ROWS synthetic rows (a million unless told), put in
// through the list's own way of adding what a search finds, without a file system behind them: check
// all, sort by size and by path, save, copy, and both text filters. For each, the seconds and the
// longest time the window went without a pass of its event loop; and the memory the rows take.
//
//   zorvik_bench_many_rows [ROWS]
//
// The lines that start with a command's key ("check-all 1.234 s 56.7 ms") are read by
// run-ten-million.sh.
#include "BenchDialogs.h"
#include "BenchHome.h"
#include "BenchWindow.h"
#include "criteria/SizeDisplayText.h"
#include "platform/FileId.h"
#include "results/ResultList.h"
#include "results/RowStore.h"
#include "shell/Form1.h"
#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

// As many files a folder as in the search benchmark's tree (a million in 50,000 folders).
constexpr int kRowsPerFolder = 20;
const QByteArray kTreeRoot = "/tmp/zorvik-bench-tree";

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// One pass of the event loop, so that what the window was told shows (and paints) before measuring.
void settle() {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

// Rows shaped like the tree's files, dNNNNNN/fNNNNNNN.dat, with sizes spread evenly on a log scale from
// 1 byte to 100 MB as the tree's are, announced to the views as a search announces them.
void addRows(ResultList& list, int rows) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> logSize(0.0, 8.0);
    const SizeTextWriter writer(list.locale());
    QByteArray folder;
    char name[32];
    for (int row = 0; row < rows; ++row) {
        if (row % kRowsPerFolder == 0) {
            folder = kTreeRoot + "/d" + QByteArray::number(row / kRowsPerFolder).rightJustified(6, '0');
            list.announceIfDue();
        }
        const int length = std::snprintf(name, sizeof name, "f%07d.dat", row);
        const auto bytes = quint64(std::pow(10.0, logSize(random)));
        list.add(folder, QByteArrayView(name, length), RowSizeText(writer, SizeUnit::Bytes), bytes,
                 RowOrigin{FileId{1, quint64(row) + 1}, kTreeRoot.size()});
    }
    list.announcePending();
}

// Runs one command and prints its line: the seconds, the longest gap between passes of the event loop
// (for a command that never yields, its whole time) and the peak RSS after it.
void timeCommand(const char* key, const std::function<void()>& command) {
    bench::EventGapProbe probe;
    probe.start();
    const double seconds = bench::secondsOf(command);
    probe.stop();
    settle();
    std::printf("%-20s %8.3f s %9.1f ms %9.1f MB\n", key, seconds, probe.longestMs(), peakRssMb());
    std::fflush(stdout);
}

void triggerMenuItem(ResultListControls& controls, const QString& text) {
    std::unique_ptr<QMenu> menu(controls.menuAt(QPoint(2, 2)));
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action->trigger();
    std::fprintf(stderr, "no menu item %s\n", qPrintable(text));
    std::exit(1);
}

// A header click, and the event loop run until the sort it started has put the rows in order.
void sortAndFinish(ResultListControls& controls, ResultList& list, int column) {
    QEventLoop loop;
    QObject::connect(&list, &ResultList::rowsSorted, &loop, &QEventLoop::quit);
    controls.sortByHeader(column);
    if (list.isSorting())
        loop.exec();
}

void expect(bool holds, const char* what) {
    if (!holds)
        std::fprintf(stderr, "unexpected: %s\n", what);
}

} // namespace

int main(int argc, char** argv) {
    bench::BenchHome home;
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    if (rows < kRowsPerFolder * 10 || rows % (kRowsPerFolder * 10) != 0) {
        std::fprintf(stderr, "usage: zorvik_bench_many_rows [ROWS, a multiple of %d]\n", kRowsPerFolder * 10);
        return 2;
    }
    auto dialogs = std::make_shared<bench::BenchDialogs>();
    std::unique_ptr<Form1> window = bench::startWindow(dialogs, home.path());
    Form1& form = *window;
    ResultList& list = *form.results;
    settle();
    const double emptyMb = peakRssMb();

    const double adding = bench::secondsOf([&] { addRows(list, rows); });
    settle();
    const double withRowsMb = peakRssMb();
    std::printf("%d rows in %d folders, added in %.3f s\n", list.count(), rows / kRowsPerFolder, adding);
    std::printf("rss-empty %.1f MB\nrss-rows %.1f MB\nbytes-per-row %.1f\n", emptyMb, withRowsMb,
                (withRowsMb - emptyMb) * 1024.0 * 1024.0 / rows);
    std::printf("%-20s %8s   %9s    %9s\n", "command", "time", "longest gap", "peak RSS");

    ResultListControls& controls = form.resultListControls();
    timeCommand("check-all", [&] { triggerMenuItem(controls, u"Check All"_s); });
    expect(list.checkedCount() == rows, "rows left unchecked");
    timeCommand("sort-size", [&] { sortAndFinish(controls, list, ResultList::kSizeColumn); });
    timeCommand("sort-path", [&] { sortAndFinish(controls, list, ResultList::kPathColumn); });
    expect(list.pathBytes(1).endsWith("/d000000/f0000000.dat"), "not in the order of paths");

    const QString saved = home.filePath(u"results.txt"_s);
    dialogs->saveName = saved;
    timeCommand("save", [&] { bench::clickAndFinish(form, form.PushButton2); });
    expect(QFileInfo(saved).size() > qint64(rows) * 40, "the saved file is short");
    timeCommand("copy", [&] { bench::clickAndFinish(form, form.PushButton4); });

    // A tenth of the rows end in "3.dat", and a tenth of the rest in "5.dat".
    dialogs->inputs = {u"3.dat"_s, u"5.dat"_s};
    timeCommand("clear-containing", [&] { bench::clickAndFinish(form, form.PushButton17); });
    expect(list.count() == rows / 10 * 9, "clearing containing left another count");
    timeCommand("clear-not-containing", [&] { bench::clickAndFinish(form, form.PushButton11); });
    expect(list.count() == rows / 10, "clearing not containing left another count");

    expect(dialogs->notices.size() == 2 && dialogs->notices.first() == u"Done."_s,
           qPrintable(u"messages: "_s + dialogs->notices.join(u" | "_s)));
    return 0;
}
