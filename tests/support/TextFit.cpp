// Whether a label shows its whole text (TextFit.h).
#include "TextFit.h"

#include <QFontMetrics>
#include <QLabel>

namespace testsupport {

::testing::AssertionResult ShowsItsTextInFull(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const int needed = metrics.horizontalAdvance(label.text());
    const int given = label.contentsRect().width();
    if (needed <= given) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << label.text().toStdString() << "\" needs " << needed << " pixels in "
           << label.font().toString().toStdString() << "; the label gives it " << given;
}

}  // namespace testsupport
