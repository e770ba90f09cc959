#include "core/AppTitle.h"

namespace zorvik {

QString applicationTitleFrom(const QString& productTitle) {
    QString title = productTitle;
    do {
        const qsizetype blank = title.lastIndexOf(u' ');
        if (blank < 0)
            return title.left(40);
        title.truncate(blank);
    } while (title.size() > 40);
    return title;
}

} // namespace zorvik
