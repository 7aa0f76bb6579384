// The two text functions of the message dialog and the About box.
#pragma once

#include <QString>

#include <cstdint>

namespace chronodex {

// Every occurrence of swapThis in convertString replaced by withThis, left to right and
// without overlaps; inserted text is never searched again. An empty swapThis changes
// nothing. MatchCase false compares without regard to letter case.
QString swapString(const QString& convertString, const QString& swapThis,
                   const QString& withThis = QString(), bool MatchCase = true);

// How often FindStr occurs in WholeString, without overlaps ("aa" occurs once in "aaa");
// 0 for an empty FindStr. AnyCase true ignores letter case.
std::int16_t CountStrInStr(const QString& WholeString, const QString& FindStr = QString(),
                           bool AnyCase = false);

} // namespace chronodex
