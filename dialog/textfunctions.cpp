#include "textfunctions.h"

#include <limits>

namespace chronodex {

QString swapString(const QString& convertString, const QString& swapThis, const QString& withThis,
                   bool MatchCase) {
    if (swapThis.isEmpty()) return convertString;
    const Qt::CaseSensitivity cs = MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString result;
    result.reserve(convertString.size());
    qsizetype pos = 0;
    while (pos < convertString.size()) {
        const qsizetype found = convertString.indexOf(swapThis, pos, cs);
        if (found < 0) {
            result += QStringView(convertString).mid(pos);
            break;
        }
        result += QStringView(convertString).mid(pos, found - pos);
        result += withThis;
        pos = found + swapThis.size();
    }
    return result;
}

std::int16_t CountStrInStr(const QString& WholeString, const QString& FindStr, bool AnyCase) {
    if (FindStr.isEmpty()) return 0;
    const Qt::CaseSensitivity cs = AnyCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    int count = 0;
    qsizetype pos = 0;
    while ((pos = WholeString.indexOf(FindStr, pos, cs)) >= 0 &&
           count < std::numeric_limits<std::int16_t>::max()) {
        ++count;
        pos += FindStr.size();
    }
    return static_cast<std::int16_t>(count);
}

} // namespace chronodex
