#pragma once

#include <QString>

namespace zorvik {

inline constexpr char16_t kSupportEmail[] = u"support@teskaro.example";

// "Zorvik2021/08/31.Form1.<handler> " - the trailing blank is part of the location text.
QString locationText(const QString& handler);

// The full text of the error report: description, CR LF, "in " location, "at line " step,
// two bare CRs, and the request to e-mail a screenshot to the support address.
QString composeErrorReport(const QString& description, const QString& handler, int step);

} // namespace zorvik
