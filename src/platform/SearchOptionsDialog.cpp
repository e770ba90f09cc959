#include "platform/SearchOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zorvik {

namespace {

// A pattern box under its label, which names it for the keyboard (its buddy) and for screen readers.
QPlainTextEdit* patternBox(QVBoxLayout* layout, const QString& label, const QString& name,
                           const std::vector<QByteArray>& patterns) {
    auto* box = new QPlainTextEdit(patternLines(patterns));
    // Tab must leave the box for the next control: a pattern has no use for a tab.
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setAccessibleName(name);
    auto* caption = new QLabel(label);
    caption->setBuddy(box);
    layout->addWidget(caption);
    layout->addWidget(box);
    return box;
}

QCheckBox* optionBox(QVBoxLayout* layout, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption);
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

} // namespace

SearchOptionsDialog::SearchOptionsDialog(const SearchOptions& current, QWidget* parent)
    : QDialog(parent), shown_(current) {
    setWindowTitle(tr("Search Options"));
    setObjectName(QStringLiteral("SearchOptions"));
    auto* layout = new QVBoxLayout(this);
    excludedNames = patternBox(layout, tr("Names to &skip, one pattern a line (node_modules, .git, *.iso):"),
                               tr("Names to skip"), current.excludedNames);
    onlyNames = patternBox(layout, tr("Names to search &for, one pattern a line (empty: every name):"),
                           tr("Names to search for"), current.onlyNames);
    oneFileSystem =
        optionBox(layout, tr("Stay on the file s&ystem of each listed folder"), current.oneFileSystem);
    excludeCaches =
        optionBox(layout, tr("Skip folders tagged as &caches (CACHEDIR.TAG)"), current.excludeCaches);
    skipKernelFileSystems = optionBox(layout, tr("Skip the &kernel's file systems (proc, sysfs, …)"),
                                      current.skipKernelFileSystems);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

SearchOptions SearchOptionsDialog::options() const {
    SearchOptions chosen;
    chosen.excludedNames = patternsFromLines(excludedNames->toPlainText(), shown_.excludedNames);
    chosen.onlyNames = patternsFromLines(onlyNames->toPlainText(), shown_.onlyNames);
    chosen.oneFileSystem = oneFileSystem->isChecked();
    chosen.excludeCaches = excludeCaches->isChecked();
    chosen.skipKernelFileSystems = skipKernelFileSystems->isChecked();
    return chosen;
}

} // namespace zorvik
