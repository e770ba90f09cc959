// zorvik --print against the window: the same files, sizes and order for the same condition.
#include "FormFixture.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// A condition as the window's tests set it, and as a script would type it.
struct Condition {
    SizeMode mode;
    QString first;
    SizeUnit unit;
    QString second;          // Between
    SizeUnit upperUnit = {}; // Between
    QStringList arguments;
};

class PrintAgainstWindow : public FormFixture {
protected:
    // Rows as "path|size text".
    QStringList windowRows(const Condition& c) {
        Form1& f = form();
        f.results->clear();
        const int mode = static_cast<int>(c.mode);
        f.Option[mode]->click();
        if (c.mode == SizeMode::Between) {
            f.Text[0]->setText(c.first);
            f.Combo[0]->setCurrentIndex(static_cast<int>(c.unit));
            f.Text[1]->setText(c.second);
            f.Combo[1]->setCurrentIndex(static_cast<int>(c.upperUnit));
        } else {
            f.Text[mode + 1]->setText(c.first);
            f.Combo[mode + 1]->setCurrentIndex(static_cast<int>(c.unit));
        }
        clickAndFinish(f.PushButton1);
        QStringList rows;
        for (int i = 1; i <= f.results->count(); ++i)
            rows << f.results->text(i) + u'|' + f.results->sizeText(i);
        return rows;
    }

    // Run where no display is, as from a script or a timer.
    static QStringList printedRows(const QStringList& arguments, const QString& folder, int& status) {
        QProcess zorvik;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        zorvik.setProcessEnvironment(environment);
        zorvik.start(QStringLiteral(ZORVIK_PROGRAM),
                     QStringList{u"--print"_s, u"--format"_s, u"json"_s} + arguments + QStringList{folder});
        EXPECT_TRUE(zorvik.waitForFinished(-1));
        status = zorvik.exitCode();
        QStringList rows;
        for (const QByteArray& line : zorvik.readAllStandardOutput().split('\n')) {
            if (line.isEmpty())
                continue;
            const QJsonObject row = QJsonDocument::fromJson(line).object();
            rows << row[u"path"_s].toString() + u'|' + row[u"size_text"_s].toString();
        }
        EXPECT_EQ(zorvik.readAllStandardError(), QByteArray());
        return rows;
    }
};

TEST_F(PrintAgainstWindow, EveryConditionOfTheWindowsTestsFindsTheSameRowsInTheSameOrder) {
    // The sizes at the edges of the window's tests, spread over folders so that the order shows too.
    const quint64 sizes[] = {
        0,       99,      100,     150,     200,     201,     512,     513,        1024,       1535,
        1536,    2048,    2049,    2560,    3584,    262144,  511487,  511488,     524287,     524288,
        1048575, 1048576, 1048577, 1572864, 2097152, 2097153, 5368709, 1073741823, 1073741824, 3221225472ull};
    TempTree tree;
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const QByteArray folder = QByteArray("abc").mid(qsizetype(i % 3), 1) + (i % 2 == 0 ? "/deeper" : "");
        tree.file(folder + "/f" + QByteArray::number(sizes[i]), qint64(sizes[i]));
    }
    form().folders->add(tree.rootText());

    using enum SizeMode;
    using enum SizeUnit;
    const Condition conditions[] = {
        {Between, u"100"_s, Bytes, u"200"_s, Bytes, {u"--between"_s, u"100"_s, u"200"_s}},
        {Between, u"1"_s, KB, u"2"_s, KB, {u"--between"_s, u"1KB"_s, u"2KB"_s}},
        {Between, u"0.5"_s, MB, u"1.5"_s, MB, {u"--between"_s, u"0.5MB"_s, u"1.5MB"_s}},
        {Between, u"500"_s, KB, u"2"_s, MB, {u"--between"_s, u"500KB"_s, u"2MB"_s}},
        {GreaterThan, u"1"_s, KB, {}, {}, {u"--greater-than"_s, u"1KB"_s}},
        {GreaterThan, u"100"_s, Bytes, {}, {}, {u"--greater-than"_s, u"100"_s}},
        {EqualTo, u"2"_s, KB, {}, {}, {u"--equal-to"_s, u"2KB"_s}},
        {EqualTo, u"0"_s, KB, {}, {}, {u"--equal-to"_s, u"0KB"_s}},
        {EqualTo, u"1"_s, MB, {}, {}, {u"--equal-to"_s, u"1MB"_s}},
        {LessThan, u"1"_s, GB, {}, {}, {u"--less-than"_s, u"1GB"_s}},
        {LessThan, u"1"_s, Bytes, {}, {}, {u"--less-than"_s, u"1"_s}},
    };
    QList<qsizetype> found;
    for (const Condition& c : conditions) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const QStringList inWindow = windowRows(c);
        int status = -1;
        EXPECT_EQ(printedRows(c.arguments, tree.rootText(), status), inWindow);
        EXPECT_EQ(status, inWindow.isEmpty() ? 1 : 0);
        found << inWindow.size();
    }
    // The conditions were the ones meant: each finds what the window's own tests expect of it.
    EXPECT_EQ(found, (QList<qsizetype>{3, 5, 5, 8, 20, 27, 4, 7, 1, 28, 1}));
    EXPECT_TRUE(dialogs->errorReports().isEmpty());
}

} // namespace
} // namespace zorvik::test
