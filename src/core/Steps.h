#pragma once

#include "core/Failure.h"

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace zorvik {

// Runs the numbered steps of one command handler. A step that fails is reported once, with the
// handler's location and the step's number, and the handler goes on with the next step. A condition
// step that fails counts as true, so the steps it governs still run. ApplicationClosing is never
// caught here: it ends the whole handler.
class Steps {
public:
    using Reporter = std::function<void(const QString& description, const QString& handler, int step,
                                        const QString& extra)>;

    Steps(QString handler, Reporter reporter)
        : handler_(std::move(handler)), reporter_(std::move(reporter)) {}

    template <class Body> void run(int step, Body&& body) {
        step_ = step;
        guarded([&] { body(); });
    }

    template <class Condition> bool test(int step, Condition&& condition) {
        step_ = step;
        bool result = true;
        guarded([&] { result = condition(); });
        return result;
    }

    // Text added to every report after two bare CRs (the move command names the row it was on).
    // An empty text adds nothing.
    void setExtra(std::function<QString()> extra) { extra_ = std::move(extra); }

    int currentStep() const { return step_; }
    const QString& handler() const { return handler_; }

private:
    template <class Body> void guarded(Body&& body) {
        try {
            body();
        } catch (const Failure& failure) {
            report(failure.description());
        } catch (const std::exception& error) {
            report(QString::fromLocal8Bit(error.what()));
        }
    }

    void report(const QString& description) {
        reporter_(description, handler_, step_, extra_ ? extra_() : QString());
    }

    QString handler_;
    Reporter reporter_;
    std::function<QString()> extra_;
    int step_ = 0;
};

} // namespace zorvik
