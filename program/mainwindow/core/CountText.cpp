#include "CountText.h"

namespace CountText {

QString of(qint64 count, const QString &one, const QString &many)
{
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}

}  // namespace CountText
