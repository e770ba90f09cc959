#include "core/ErrorReport.h"

namespace zorvik {

QString locationText(const QString& handler) {
    return u"Zorvik2021/08/31.Form1." % handler % u' ';
}

QString composeErrorReport(const QString& description, const QString& handler, int step) {
    return description % u"\r\n" % u"in " % locationText(handler) % u"at line " % QString::number(step) %
           u"\r\r" % u"Please email screenshot of this message to " % QStringView(kSupportEmail);
}

} // namespace zorvik
