#pragma once

#include "core/CallResult.h"
#include "core/Failure.h"

#include <QString>

#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace zorvik {

// Runs the numbered steps of one command handler. A step that fails is reported once, with the
// handler's location and the step's number, and the handler goes on with the next step. Steps report,
// they do not steer: a condition that fails counts as true only where what it governs changes no file
// (test), and as false before a step that changes or removes one (allows).
class Steps {
public:
    using Reporter = std::function<void(const QString& description, const QString& handler, int step,
                                        const QString& extra)>;

    Steps(QString handler, Reporter reporter)
        : handler_(std::move(handler)), reporter_(std::move(reporter)) {}

    // True when the step completed.
    template <class Body> bool run(int step, Body&& body) {
        step_ = step;
        return guarded([&] { body(); });
    }

    template <class Condition> bool test(int step, Condition&& condition) {
        step_ = step;
        bool result = true;
        guarded([&] { result = condition(); });
        return result;
    }

    // A condition before a step that changes or removes a file: one that cannot be decided says no.
    template <class Condition> bool allows(int step, Condition&& condition) {
        step_ = step;
        bool result = false;
        guarded([&] { result = condition(); });
        return result;
    }

    // The value of a call a worker made for step `step`; what it threw is reported as that step's
    // failure. No value when it failed or was given up.
    template <typename T> std::optional<T> settle(int step, CallResult<T> outcome) {
        step_ = step;
        if (outcome.error)
            guarded([&] { std::rethrow_exception(outcome.error); });
        return std::move(outcome.value);
    }

    // Text added to every report after two bare CRs (the move command names the row it was on).
    // An empty text adds nothing.
    void setExtra(std::function<QString()> extra) { extra_ = std::move(extra); }

    int currentStep() const { return step_; }
    const QString& handler() const { return handler_; }

private:
    template <class Body> bool guarded(Body&& body) {
        try {
            body();
            return true;
        } catch (const Failure& failure) {
            report(failure.description());
        } catch (const std::exception& error) {
            report(QString::fromLocal8Bit(error.what()));
        }
        return false;
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
