#include "platform/QtDialogs.h"

#include "platform/FileNames.h"
#include "platform/SearchOptionsDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Message texts carry CR LF and bare CRs; a label wants one line feed per line break.
QString forDisplay(QString text) {
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, forDisplay(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

} // namespace

void QtDialogs::notice(const QString& title, const QString& text) {
    if (!suppressed())
        showBox(parent_, QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

void QtDialogs::errorReport(const QString& text) {
    if (!suppressed())
        showBox(parent_, QMessageBox::Warning,
                QCoreApplication::translate("zorvik::QtDialogs", "Application Error"), text, QMessageBox::Ok);
}

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
    if (suppressed())
        return false;
    return showBox(parent_, QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString QtDialogs::inputText(const QString& title, const QString& prompt) {
    if (suppressed())
        return {};
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

QString QtDialogs::browseForFolder(const QString& title, const QString& startFolder) {
    if (suppressed())
        return {};
    const QString start = !startFolder.isEmpty() && QDir(startFolder).exists() ? startFolder : QString();
    QString folder = QFileDialog::getExistingDirectory(parent_, title, start, QFileDialog::ShowDirsOnly);
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

SaveTarget QtDialogs::chooseSaveTarget(const QString& proposedPath) {
    if (suppressed())
        return {};
    // In the order of SaveFilter.
    const QStringList filters = {QCoreApplication::translate("zorvik::QtDialogs", "Text (*.txt)"),
                                 QCoreApplication::translate("zorvik::QtDialogs", "CSV with sizes (*.csv)"),
                                 QCoreApplication::translate("zorvik::QtDialogs", "All Files (*)")};
    QString chosenFilter;
    const QString name = QFileDialog::getSaveFileName(
        parent_, QCoreApplication::translate("zorvik::QtDialogs", "Save"), proposedPath,
        filters.join(u";;"_s), &chosenFilter, QFileDialog::DontConfirmOverwrite);
    const auto filter = static_cast<SaveFilter>(std::max(qsizetype(0), filters.indexOf(chosenFilter)));
    return saveTargetOf(name, filter);
}

QString QtDialogs::saveFileName(const QString& proposedPath) {
    return chooseSaveTarget(proposedPath).name;
}

std::optional<SearchOptions> QtDialogs::editSearchOptions(const SearchOptions& current) {
    if (suppressed())
        return std::nullopt;
    SearchOptionsDialog dialog(current, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

} // namespace zorvik
