#pragma once

#include <QString>

// Pieces of JSON text, for output whose key order matters.
namespace JsonText {

QString string(const QString &text);
// The same, appended to out.
void appendString(QString &out, QStringView text);
// The shortest decimal text that reads back as the same double.
QString number(double value);
void appendNumber(QString &out, double value);

}  // namespace JsonText
