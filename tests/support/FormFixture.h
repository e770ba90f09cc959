#pragma once

#include "FakeClipboard.h"
#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "ScriptedDialogs.h"
#include "platform/IniSettingsStore.h"
#include "shell/Form1.h"
#include "shell/HoverButton.h"
#include "shell/WindowCommands.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace zorvik::test {

// A fixture that builds the real window offscreen, with scripted dialogs, an empty settings file,
// the en_US locale, an empty program folder and a home-page draw that never opens anything.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_shared<IniSettingsStore>();
        QFile::remove(settings->fileName());
        settings = std::make_shared<IniSettingsStore>();
        dialogs = std::make_shared<ScriptedDialogs>();
    }

    Services services() {
        Services s;
        s.dialogs = dialogs;
        s.settings = settings;
        s.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        s.programFolder = programFolder.path();
        s.homePageDraw = [] { return 1; };
        s.openUrl = [this](const QUrl& url) { openedUrls.push_back(url); };
        customise(s);
        return s;
    }

    // Fills in the remaining real services and lets a test replace some.
    virtual void customise(Services& s);

    // A started window (Form_Load done), not shown.
    Form1& form() {
        if (!form_) {
            form_ = std::make_unique<Form1>(services());
            form_->Form_Load();
        }
        return *form_;
    }
    // A window whose start-up has not run yet.
    Form1& unloadedForm() {
        form_ = std::make_unique<Form1>(services());
        return *form_;
    }
    void restart() { form_.reset(); }

    // Runs the event loop until every command the window started (search, save, move, ...) has ended.
    void finishCommands() {
        WindowCommands& commands = form().commands();
        while (!commands.isIdle()) {
            JobLane& busy = commands.searchLane().isIdle() ? commands.commandLane() : commands.searchLane();
            QEventLoop loop;
            QObject::connect(&busy, &JobLane::idle, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
    // A click on a command's button, and the command run to its end.
    void clickAndFinish(QAbstractButton* button) {
        button->click();
        finishCommands();
    }

    QString stored(const QString& key) const { return settings->read(key, QStringLiteral("<absent>")); }

    std::shared_ptr<IniSettingsStore> settings;
    std::shared_ptr<ScriptedDialogs> dialogs;
    std::shared_ptr<RecordingDesktop> desktop = std::make_shared<RecordingDesktop>();
    std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
    QTemporaryDir programFolder;
    std::vector<QUrl> openedUrls;

private:
    std::unique_ptr<Form1> form_;
};

} // namespace zorvik::test
