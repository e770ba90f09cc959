#pragma once

#include <QString>

#include <exception>

namespace zorvik {

// Thrown by helpers when an operation fails; carries a short human-readable description
// (strerror, a Qt errorString(), or our own words) and, when the system refused, its errno value.
// Only command handlers turn it into a report; whatever decides by the cause asks errorNumber(),
// never the text, which is in the user's language.
class Failure : public std::exception {
public:
    explicit Failure(QString description, int errorNumber = 0)
        : description_(std::move(description)), errorNumber_(errorNumber) {}
    const QString& description() const noexcept { return description_; }
    // The errno value behind it, 0 when there is none.
    int errorNumber() const noexcept { return errorNumber_; }
    const char* what() const noexcept override { return "zorvik::Failure"; }

private:
    QString description_;
    int errorNumber_;
};

// The system's description of a POSIX errno value, in the locale's language.
QString errnoText(int errorNumber);

// Failure with a POSIX errno value and its description.
[[noreturn]] void throwErrno(int errorNumber);

} // namespace zorvik
