#include "core/ErrorReport.h"

#include <QCoreApplication>

namespace zorvik {

QString locationText(const QString& handler) {
    return u"Zorvik2021/08/31.Form1." % handler % u' ';
}

// The second line, where and at which step, is read by support and stays the same in every language.
QString composeErrorReport(const QString& description, const QString& handler, int step) {
    return description % u"\r\n" % u"in " % locationText(handler) % u"at line " % QString::number(step) %
           u"\r\r" %
           QCoreApplication::translate("zorvik::ErrorReport", "Please email screenshot of this message to ") %
           QStringView(kSupportEmail);
}

} // namespace zorvik
