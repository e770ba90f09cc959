#pragma once

#include <QString>

#include <exception>

namespace zorvik {

// Thrown by helpers when an operation fails; carries a short human-readable description
// (strerror, a Qt errorString(), or our own words). Only command handlers turn it into a report.
class Failure : public std::exception {
public:
    explicit Failure(QString description) : description_(std::move(description)) {}
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return "zorvik::Failure"; }

private:
    QString description_;
};

// The system's description of a POSIX errno value, in the locale's language.
QString errnoText(int errorNumber);

// Failure with the description of a POSIX errno value.
[[noreturn]] void throwErrno(int errorNumber);

} // namespace zorvik
