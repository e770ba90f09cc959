#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zorvik::test {

// A Dialogs double: records every box and dialog shown and answers from prepared queues.
// Unprepared questions get the cautious answer: No, Cancel, an empty name.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Notice, ErrorReport, Question, Input, Folder, Save, SearchOptions };
    struct Shown {
        Kind kind;
        QString title;
        QString text;  // the message, prompt or folder dialog's title
        QString extra; // the folder to preselect, for the folder picker
    };

    std::vector<Shown> shown;
    std::deque<bool> yesNoAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> folderAnswers;
    std::deque<QString> saveAnswers;
    std::deque<SaveFormat> saveFormats; // beside saveAnswers; text when none is prepared
    // "Search Options…": what the user leaves on OK (nothing: Cancel), and the options each showing had.
    std::deque<std::optional<SearchOptions>> searchOptionsAnswers;
    std::vector<SearchOptions> searchOptionsShown;
    // Called while a box is "open", after it was recorded: lets a test act as the user would then.
    std::function<void(const Shown&)> onShow;

    void notice(const QString& title, const QString& text) override { record(Kind::Notice, title, text); }
    void errorReport(const QString& text) override {
        record(Kind::ErrorReport, QStringLiteral("Application Error"), text);
    }
    bool askYesNo(const QString& title, const QString& text) override {
        record(Kind::Question, title, text);
        return take(yesNoAnswers, false);
    }
    QString inputText(const QString& title, const QString& prompt) override {
        record(Kind::Input, title, prompt);
        return take(inputAnswers, QString());
    }
    QString browseForFolder(const QString& title, const QString& startFolder) override {
        record(Kind::Folder, title, title, startFolder);
        return take(folderAnswers, QString());
    }
    SaveTarget chooseSaveTarget(const QString& proposedPath) override {
        record(Kind::Save, QStringLiteral("Save"), QString(), proposedPath);
        SaveTarget target;
        target.name = take(saveAnswers, QString());
        target.format = take(saveFormats, SaveFormat::Text);
        return target;
    }
    QString saveFileName(const QString& proposedPath) override { return chooseSaveTarget(proposedPath).name; }
    std::optional<SearchOptions> editSearchOptions(const SearchOptions& current) override {
        searchOptionsShown.push_back(current);
        record(Kind::SearchOptions, QStringLiteral("Search Options"), QString());
        return take(searchOptionsAnswers, std::optional<SearchOptions>());
    }

    std::vector<Shown> of(Kind kind) const {
        std::vector<Shown> result;
        for (const Shown& s : shown)
            if (s.kind == kind)
                result.push_back(s);
        return result;
    }
    QStringList texts(Kind kind) const {
        QStringList result;
        for (const Shown& s : of(kind))
            result << s.text;
        return result;
    }
    QStringList errorReports() const { return texts(Kind::ErrorReport); }
    QStringList notices() const { return texts(Kind::Notice); }

private:
    void record(Kind kind, const QString& title, const QString& text, const QString& extra = {}) {
        shown.push_back({kind, title, text, extra});
        if (onShow)
            onShow(shown.back());
    }
    template <class T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace zorvik::test
