// Whatever the settings store holds, start-up restores what it can, reports the rest through the
// error report, and leaves the criteria panel in a state a user could have made. The two folder keys
// go through the commands that read them.
#include "FuzzCheck.h"
#include "OffscreenApp.h"
#include "ScriptedDialogs.h"
#include "criteria/NumberReading.h"
#include "folders/FolderList.h"
#include "folders/NormalizePath.h"
#include "platform/SettingsStore.h"
#include "shell/Form1.h"
#include "shell/WindowCommands.h"

#include <QComboBox>
#include <QEventLoop>
#include <QHash>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>

using namespace Qt::StringLiterals;
using zorvik::fuzz::visible;
using Kind = zorvik::test::ScriptedDialogs::Kind;

namespace {

// Every key the program stores, in the order the input gives their values.
const QStringList kKeys = {u"Combo1"_s,  u"Combo2"_s,  u"Combo3"_s,     u"Combo4"_s,
                           u"Combo5"_s,  u"Text1"_s,   u"Text2"_s,      u"Text3"_s,
                           u"Text4"_s,   u"Text5"_s,   u"Option1"_s,    u"Option2"_s,
                           u"Option3"_s, u"Option4"_s, u"LastFolder"_s, u"LastFolderDot"_s};
constexpr int kRestoredKeys = 14; // the folder keys are read by commands, not at start-up
const QStringList kWindowKeys = {u"WindowWidth"_s, u"WindowHeight"_s, u"WindowMaximized"_s};
const QString kTextDefaults[5] = {u"100"_s, u"200"_s, u"100"_s, u"100"_s, u"100"_s};

// A store in memory that behaves like the real one (a write is read back) and notes every read.
class MemorySettings : public zorvik::SettingsStore {
public:
    QHash<QString, QString> values;
    mutable QStringList reads;

    QString read(const QString& key, const QString& defaultValue) const override {
        reads << key;
        return values.value(key, defaultValue);
    }
    void write(const QString& key, const QString& value) override { values.insert(key, value); }
    std::optional<QString> stored(const QString& key) const {
        if (!values.contains(key))
            return std::nullopt;
        return values.value(key);
    }
};

// The boxes an option enables, as 0-based numbers of Combo and Text.
bool enabledBy(int option, int box) {
    return option == 0 ? box <= 1 : box == option + 1;
}

std::unique_ptr<QTemporaryDir> programFolder; // empty: no skin, no hand cursor
zorvik::Services baseServices;

const std::array<QLocale, 4>& locales() {
    static const std::array<QLocale, 4> all = {QLocale(QLocale::English, QLocale::UnitedStates),
                                               QLocale(QLocale::German, QLocale::Germany), QLocale::c(),
                                               QLocale(QLocale::French, QLocale::France)};
    return all;
}

// The step numbers of the error reports shown, each checked to be one of start-up's.
std::multiset<int> reportedSteps(const zorvik::test::ScriptedDialogs& dialogs, const QString& handler) {
    static const QRegularExpression location(
        u"\r\nin Zorvik2021/08/31\\.Form1\\.(\\w+) at line (\\d+)\r\r"_s);
    std::multiset<int> steps;
    for (const QString& report : dialogs.errorReports()) {
        const QRegularExpressionMatch match = location.match(report);
        FUZZ_CHECK(match.hasMatch(), visible(report));
        FUZZ_CHECK(match.captured(1) == handler, visible(report));
        steps.insert(match.captured(2).toInt());
    }
    return steps;
}

// The offscreen fonts lack shaping tables; Qt's notes about that would bury the fuzzer's own output.
void quiet(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg)
        std::abort();
}

// Runs the event loop until every command the window started has ended: a move opens its destination
// off this thread before it ends.
void finishCommands(zorvik::Form1& form) {
    zorvik::WindowCommands& commands = form.commands();
    while (!commands.isIdle()) {
        zorvik::JobLane& busy =
            commands.searchLane().isIdle() ? commands.commandLane() : commands.searchLane();
        QEventLoop loop;
        QObject::connect(&busy, &zorvik::JobLane::idle, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    zorvik::fuzz::startOffscreenApplication((*argv)[0]);
    qInstallMessageHandler(quiet);
    programFolder = std::make_unique<QTemporaryDir>();
    if (!programFolder->isValid())
        std::abort();
    baseServices = zorvik::makeRealServices(nullptr);
    baseServices.programFolder = programFolder->path();
    baseServices.homePageDraw = [] { return 1; };
    baseServices.openUrl = [](const QUrl& url) {
        zorvik::fuzz::fail(__FILE__, __LINE__, "no page opens while fuzzing", url.toString());
    };
    return 0;
}

// Input: a locale byte, then the values of the sixteen keys and the answers of the two folder pickers
// (Add Folder, then Move), in UTF-8, separated by RS (0x1E). A missing field, or one that is a lone
// DEL (0x7F), leaves its key absent; a missing answer cancels the picker.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = locales()[data[0] % locales().size()];
    const QList<QByteArray> fields =
        QByteArray(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)).split('\x1e');

    auto settings = std::make_shared<MemorySettings>();
    for (qsizetype i = 0; i < kKeys.size() && i < fields.size(); ++i) {
        if (fields[i] != "\x7f")
            settings->values.insert(kKeys[i], QString::fromUtf8(fields[i]));
    }
    const QHash<QString, QString> original = settings->values;
    auto originally = [&](const QString& key) -> std::optional<QString> {
        if (!original.contains(key))
            return std::nullopt;
        return original.value(key);
    };
    auto answer = [&](qsizetype i) { return i < fields.size() ? QString::fromUtf8(fields[i]) : QString(); };
    const QString addAnswer = answer(kKeys.size());
    const QString moveAnswer = answer(kKeys.size() + 1);

    auto dialogs = std::make_shared<zorvik::test::ScriptedDialogs>();
    zorvik::Services services = baseServices;
    services.dialogs = dialogs;
    services.settings = settings;
    services.locale = locale;
    zorvik::Form1 form(services);
    try {
        form.Form_Load();
    } catch (...) {
        zorvik::fuzz::fail(__FILE__, __LINE__, "start-up ends in its own steps", QString());
    }

    // Each restored key is read once, in the fixed order of the restore, then the window's size.
    FUZZ_CHECK(settings->reads == kKeys.mid(0, kRestoredKeys) + kWindowKeys, settings->reads.join(u' '));

    // Damaged values show up as error reports of their own steps, and as nothing else.
    FUZZ_CHECK(qsizetype(dialogs->shown.size()) == dialogs->errorReports().size(), QString());
    const std::multiset<int> steps = reportedSteps(*dialogs, u"Form_Load"_s);
    for (const int step : steps) {
        FUZZ_CHECK(steps.count(step) == 1, QString::number(step));
        FUZZ_CHECK((step >= 180 && step <= 188) || (step >= 200 && step <= 206), QString::number(step));
    }

    for (int i = 0; i < 5; ++i) {
        const QString key = kKeys[i];
        QComboBox* combo = form.Combo[i];
        const int index = combo->currentIndex();
        const QString where = key + u" "_s + visible(originally(key).value_or(u"<absent>"_s)) + u" -> "_s +
                              QString::number(index) + u" in "_s + locale.name();
        FUZZ_CHECK(combo->count() == 4, where);
        FUZZ_CHECK(index >= -1 && index <= 3, where);
        if (steps.count(180 + 2 * i)) {
            FUZZ_CHECK(index == -1, where);
            FUZZ_CHECK(settings->stored(key) == originally(key), where);
            continue;
        }
        // Accepted: the stored number, rounded, is the list position, and a change was written back.
        const std::optional<double> number = zorvik::toNumber(originally(key).value_or(u"0"_s), locale);
        FUZZ_CHECK(number && std::fabs(*number - index) <= 0.5, where);
        FUZZ_CHECK(settings->stored(key) == (index == -1 ? originally(key) : QString::number(index)), where);
    }

    for (int i = 0; i < 5; ++i) {
        const QString key = kKeys[5 + i];
        const QString expected = originally(key).value_or(kTextDefaults[i]);
        const QString shown = form.Text[i]->text();
        const QString where = key + u" "_s + visible(expected) + u" -> "_s + visible(shown);
        // The stored text, or, where this language refuses it but reads it with "." and "," swapped
        // (typed in another language), the text that keeps its meaning.
        FUZZ_CHECK(shown == expected || zorvik::withOtherDecimalMark(expected, locale) == shown, where);
        // Writing the restored text back changes nothing in the store but the marks swapped.
        FUZZ_CHECK(settings->stored(key) == (shown == expected ? originally(key) : shown), where);
    }

    int checked = -1;
    for (int i = 0; i < 4; ++i) {
        if (form.Option[i]->isChecked()) {
            FUZZ_CHECK(checked == -1, u"options "_s + QString::number(checked + 1) + u" and "_s +
                                          QString::number(i + 1) + u" are both chosen"_s);
            checked = i;
        }
    }
    // The boxes are those of the chosen option; with none chosen, those of the design (Option1's).
    const int governing = checked == -1 ? 0 : checked;
    for (int box = 0; box < 5; ++box) {
        const QString where =
            u"box "_s + QString::number(box + 1) + u" with option "_s + QString::number(checked + 1);
        FUZZ_CHECK(form.Combo[box]->isEnabled() == enabledBy(governing, box), where);
        FUZZ_CHECK(form.Text[box]->isEnabled() == enabledBy(governing, box), where);
    }
    // The option keys are as they were, or, once a button was chosen, the picture of the buttons.
    bool untouched = true;
    bool picture = true;
    for (int i = 0; i < 4; ++i) {
        const QString key = kKeys[10 + i];
        untouched = untouched && settings->stored(key) == originally(key);
        picture = picture && settings->stored(key) == (form.Option[i]->isChecked() ? u"True"_s : u"False"_s);
    }
    FUZZ_CHECK(untouched || (picture && checked != -1), QString::number(checked + 1));

    // "Add Folder to Search" starts the picker at LastFolderDot and adds the normalised answer.
    dialogs->shown.clear();
    dialogs->folderAnswers = {addAnswer};
    form.PushButton3_Click();
    finishCommands(form);
    const QString lastFolderDot = originally(u"LastFolderDot"_s).value_or(QString());
    const QString addWhere = visible(lastFolderDot) + u", answer "_s + visible(addAnswer);
    FUZZ_CHECK(dialogs->shown.size() == 1 && dialogs->shown[0].kind == Kind::Folder, addWhere);
    FUZZ_CHECK(dialogs->shown[0].extra == lastFolderDot, addWhere);
    FUZZ_CHECK(form.pointerState() == zorvik::PointerState::Default, addWhere);
    if (addAnswer.isEmpty()) {
        FUZZ_CHECK(form.folders->count() == 0, addWhere);
    } else {
        FUZZ_CHECK(form.folders->count() == 1 && form.folders->item(1) == zorvik::NormalizePath(addAnswer),
                   addWhere);
        FUZZ_CHECK(settings->stored(u"LastFolderDot"_s) == addAnswer, addWhere);
    }

    // "Move Checked To Folder" starts the picker at LastFolder and remembers the answer; with no rows
    // it moves nothing and says nothing.
    dialogs->shown.clear();
    dialogs->folderAnswers = {moveAnswer};
    form.PushButton8_Click();
    finishCommands(form);
    const QString lastFolder = originally(u"LastFolder"_s).value_or(QString());
    const QString moveWhere = visible(lastFolder) + u", answer "_s + visible(moveAnswer);
    FUZZ_CHECK(dialogs->shown.size() == 1 && dialogs->shown[0].kind == Kind::Folder, moveWhere);
    FUZZ_CHECK(dialogs->shown[0].extra == lastFolder, moveWhere);
    FUZZ_CHECK(form.pointerState() == zorvik::PointerState::Default, moveWhere);
    FUZZ_CHECK(settings->stored(u"LastFolder"_s) ==
                   (moveAnswer.isEmpty() ? originally(u"LastFolder"_s) : std::optional(moveAnswer)),
               moveWhere);
    return 0;
}
