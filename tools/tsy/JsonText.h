#pragma once

#include <QByteArray>
#include <QString>

class QStringEncoder;

// Pieces of JSON text, for output whose key order matters.
namespace JsonText {

QString string(const QString &text);
// The same, appended to out.
void appendString(QString &out, QStringView text);
// The shortest decimal text that reads back as the same double.
QString number(double value);
void appendNumber(QString &out, double value);

// The same as UTF-8 bytes appended to out; encoder is a UTF-8 encoder.
void appendString(QByteArray &out, QStringView text, QStringEncoder &encoder);
void appendNumber(QByteArray &out, double value);

}  // namespace JsonText
