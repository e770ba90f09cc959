// What assistive technology reads of the window: names that say what a control is for (the design's
// names stay the object names), descriptions, and the two lists' header lines as they change.
#include "shell/Form1.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"
#include "shell/HoverButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

void describe(QWidget* widget, const QString& name, const QString& description) {
    if (!name.isEmpty())
        widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

// A description changes only when its text does: a screen reader reads every change it hears of.
void redescribe(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace

void Form1::describeControls() {
    // The design's names stay with the controls, as object names.
    const std::pair<QWidget*, QString> designNames[] = {
        {ListView1, u"ListView1"_s},
        {ListView2, u"ListView2"_s},
        {Frame1, u"Frame1"_s},
        {PushButton1, u"PushButton1"_s},
        {PushButton2, u"PushButton2"_s},
        {PushButton3, u"PushButton3"_s},
        {PushButton4, u"PushButton4"_s},
        {PushButton5, u"PushButton5"_s},
        {PushButton6, u"PushButton6"_s},
        {PushButton8, u"PushButton8"_s},
        {PushButton10, u"PushButton10"_s},
        {PushButton11, u"PushButton11"_s},
        {PushButton17, u"PushButton17"_s},
    };
    for (const auto& [widget, name] : designNames)
        widget->setObjectName(name);
    for (int i = 0; i < 4; ++i)
        Option[i]->setObjectName(u"Option"_s + QString::number(i + 1));
    for (int i = 0; i < 5; ++i) {
        Text[i]->setObjectName(u"Text"_s + QString::number(i + 1));
        Combo[i]->setObjectName(u"Combo"_s + QString::number(i + 1));
    }

    describe(ListView1, tr("Folders to search"), {});
    describe(PushButton3, {}, tr("Opens a folder chooser and adds the chosen folder to the list"));
    describe(Frame1, tr("Size condition"), tr("Ctrl+F goes to the size of the chosen condition"));
    describe(Option[0], tr("Between"), tr("Files from the lower to the upper bound, both included"));
    describe(Option[1], tr("Greater than"), {});
    describe(Option[2], tr("Less than"), {});
    describe(Option[3], tr("Equal to"), {});
    const QString returnStarts = tr("Return starts finding");
    describe(Text[0], tr("Lower bound"), returnStarts);
    describe(Combo[0], tr("Unit of the lower bound"), {});
    describe(Text[1], tr("Upper bound"), returnStarts);
    describe(Combo[1], tr("Unit of the upper bound"), {});
    const QString conditions[] = {tr("Greater than"), tr("Less than"), tr("Equal to")};
    for (int i = 0; i < 3; ++i) {
        describe(Text[i + 2], tr("Size for %1").arg(conditions[i]), returnStarts);
        describe(Combo[i + 2], tr("Unit for %1").arg(conditions[i]), {});
    }
    // Qt names a unit list after its current unit on Linux and leaves its name to the label that has it
    // as its buddy, which screen readers read before the unit. The design has no room for such labels:
    // they stay hidden, known only to assistive technology.
    for (QComboBox* unitList : Combo) {
        auto* label = new QLabel(unitList->accessibleName(), Frame1);
        label->setBuddy(unitList);
        label->hide();
    }
    describe(PushButton1, {}, tr("Searches the listed folders and their sub-folders; Escape stops a search"));
    describe(ListView2, tr("Results"), {});
    describe(PushButton2, {}, tr("Writes the path of every result into a text file"));
    describe(PushButton6, {}, tr("Empties the result list; no file is touched"));
    describe(PushButton4, {}, tr("Copies the checked results as a table"));
    describe(PushButton5, {}, tr("How to reach support, and the keys (F1)"));
    describe(PushButton17, {}, tr("Asks for a text and removes the results whose path contains it"));
    describe(PushButton11, {}, tr("Asks for a text and removes the results whose path does not contain it"));
    describe(PushButton10, {}, tr("Moves the files of the checked results to the trash"));
    describe(PushButton8, {}, tr("Moves the files of the checked results into a folder you choose"));

    // The folder list's header is the search's status line. Its model already tells views of a new
    // text at most every FolderList::kHeaderRepaintMs, so the description follows at that pace, as the
    // screen does.
    auto followStatus = [this] { redescribe(ListView1, folders->headerText()); };
    connect(folders, &QAbstractItemModel::headerDataChanged, this, followStatus);
    connect(folders, &QAbstractItemModel::columnsInserted, this, followStatus);
    auto followTotals = [this] {
        redescribe(
            ListView2,
            results->count() > 0
                ? results->headerData(ResultList::kPathColumn, Qt::Horizontal, Qt::DisplayRole).toString()
                : tr("No results"));
    };
    connect(results, &QAbstractItemModel::headerDataChanged, this, followTotals);
    connect(results, &QAbstractItemModel::modelReset, this, followTotals);
    followTotals();
}

} // namespace zorvik
