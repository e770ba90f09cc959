// Times the result commands on the million rows that a search of the benchmark tree gives: save, copy
// sorting by size and by path, checking all rows, copy and both text filters, each through the real
// window, and for scale `grep -c` and `sort` over the same paths.
//
//   zorvik_bench_results TREE
#include "BenchDialogs.h"
#include "BenchHome.h"
#include "BenchWindow.h"
#include "TimedCommand.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "shell/Form1.h"
#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <vector>

#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

using bench::BenchDialogs;
using bench::secondsOf;

int main(int argc, char** argv) {
    bench::BenchHome home;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zorvik_bench_results TREE\n");
        return 2;
    }
    auto dialogs = std::make_shared<BenchDialogs>();
    std::unique_ptr<Form1> window = bench::startWindow(dialogs, home.path());
    Form1& form = *window;

    // Every file of the tree: Less Than 99999999999999 Bytes.
    form.folders->add(QString::fromLocal8Bit(argv[1]));
    form.Option[2]->click();
    form.Combo[3]->setCurrentText(u"Bytes"_s);
    form.Text[3]->setText(u"99999999999999"_s);
    bench::clickAndFinish(form, form.PushButton1);
    ResultList& list = *form.results;
    const int rows = list.count();
    std::printf("%d rows\n", rows);

    const QString saved = home.filePath(u"results.txt"_s);
    dialogs->saveName = saved;
    // The longest time the window went without a pass of its event loop while a command ran.
    bench::EventGapProbe probe;
    auto probed = [&](QAbstractButton* button) {
        probe.start();
        const double seconds = secondsOf([&] { bench::clickAndFinish(form, button); });
        probe.stop();
        return seconds;
    };
    const double save = probed(form.PushButton2);
    std::printf("  save                           %.3f s (longest gap between events %.1f ms)\n", save,
                probe.longestMs());

    // Sorting and checking through the list's own controls, as a click would, and GNU sort over the
    // same million paths for scale.
    ResultListControls& controls = form.resultListControls();
    const double bySize = secondsOf([&] { controls.sortByHeader(ResultList::kSizeColumn); });
    const double byPath = secondsOf([&] { controls.sortByHeader(ResultList::kPathColumn); });
    qputenv("LC_ALL", "C");
    const QByteArray savedFile = QFile::encodeName(saved);
    const double peerSort = bench::secondsOfCommand({"sort", savedFile});
    std::printf("  sort by size (largest first)   %.3f s\n", bySize);
    std::printf("  sort by path                   %.3f s\n", byPath);
    std::printf("  for scale: LC_ALL=C sort of the saved paths %.3f s (by path: %.2fx sort)\n", peerSort,
                byPath / peerSort);
    auto menuItem = [&](const QString& text) {
        std::unique_ptr<QMenu> menu(controls.menuAt(QPoint(2, 2)));
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return secondsOf([&] { action->trigger(); });
        return -1.0;
    };
    const double checkAll = menuItem(u"Check All"_s);
    const double invert = menuItem(u"Invert Checks"_s);
    const double uncheckAll = menuItem(u"Uncheck All"_s);
    QString header;
    const double totals =
        secondsOf([&] { header = list.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(); });
    std::printf("  check all / invert / uncheck all %.3f / %.3f / %.3f s\n", checkAll, invert, uncheckAll);
    std::printf("  totals in the header           %.6f s (%s)\n", totals, qPrintable(header));

    for (int i = 1; i <= rows; i += 2)
        list.setChecked(i, true);
    const double copy = probed(form.PushButton4);
    std::printf("  copy (every other row checked) %.3f s (longest gap between events %.1f ms)\n", copy,
                probe.longestMs());

    dialogs->inputs = {u".JPG"_s, u".txt"_s};
    const double containing = secondsOf([&] { bench::clickAndFinish(form, form.PushButton17); });
    const int afterContaining = list.count();
    const double notContaining = secondsOf([&] { bench::clickAndFinish(form, form.PushButton11); });
    std::printf("  clear containing \".JPG\"        %.3f s (%d rows left)\n", containing, afterContaining);
    std::printf("  clear not containing \".txt\"    %.3f s (%d rows left)\n", notContaining, list.count());

    const QByteArray file = QFile::encodeName(saved);
    std::printf(
        "  for scale: grep -c -F .jpg over the saved paths %.3f s\n",
        bench::secondsOfCommand({"grep", "-c", "-F", ".jpg", file}, QByteArray(file + ".count").constData()));

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak RSS %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    if (dialogs->notices.size() != 3)
        std::fprintf(stderr, "unexpected messages: %s\n", qPrintable(dialogs->notices.join(u" | "_s)));
    return 0;
}
