// "Clear Results Containing X" and "Clear Results Not Containing X".
#include "shell/Form1.h"

#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "results/TextFilter.h"
#include "shell/Steps.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

void prune(Form1& form, Steps& s, const QString& prompt, bool containing) {
    QString text;
    s.run(100, [&] { text = form.services().dialogs->inputText(form.applicationTitle(), prompt); });
    if (s.test(102, [&] { return text.isEmpty(); }))
        return;
    s.run(104, [&] { form.setPointerState(Form1::kPointerBusy); });
    // The rows are removed in one pass, highest position first in effect, which keeps the others'
    // order and check boxes.
    s.run(106, [&] { form.results->removePositions(rowsToPrune(*form.results, text, containing)); });
    s.run(108, [&] { form.setPointerState(Form1::kPointerArrow); });
}

} // namespace

void Form1::PushButton17_Click() {
    prune(*this, *steps(u"PushButton17_Click"_s), u"Remove entries containing: "_s, true);
}

void Form1::PushButton11_Click() {
    prune(*this, *steps(u"PushButton11_Click"_s), u"Remove entries not containing: "_s, false);
}

} // namespace zorvik
