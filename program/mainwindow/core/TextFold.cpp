// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextFold.h"

namespace TextFold {

namespace {

bool isMark(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing;
}

void appendCodePoint(char32_t c, QString &out)
{
    if (QChar::requiresSurrogates(c)) {
        out += QChar(QChar::highSurrogate(c));
        out += QChar(QChar::lowSurrogate(c));
    } else {
        out += QChar(char16_t(c));
    }
}

// The slow path: text holds characters beyond ASCII.
void appendFoldedUnicode(QStringView text, QString &out)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    for (const char32_t c : decomposed.toUcs4()) {
        if (isMark(c))
            continue;
        if (QChar::category(c) == QChar::Other_Control) {
            out += QLatin1Char(' ');
            continue;
        }
        const char32_t folded = QChar::toCaseFolded(c);
        // Sharp s (and the capital one, which folds to it) is "ss" in full case folding.
        if (folded == U'\u00DF')
            out += QLatin1String("ss");
        else
            appendCodePoint(folded, out);
    }
}

}  // namespace

void appendFolded(QStringView text, QString &out)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            // Decomposition needs the characters around: the rest goes the slow way.
            appendFoldedUnicode(text.sliced(i), out);
            return;
        }
        if (c >= 'A' && c <= 'Z')
            out += QChar(char16_t(c + ('a' - 'A')));
        else if (c < 0x20 || c == 0x7f)
            out += QLatin1Char(' ');
        else
            out += QChar(c);
    }
}

QString fold(QStringView text)
{
    QString out;
    out.reserve(text.size());
    appendFolded(text, out);
    return out;
}

QStringList words(QStringView text)
{
    QStringList result;
    const QString folded = fold(text);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool blank = i == folded.size() || folded.at(i).isSpace();
        if (!blank && start < 0)
            start = i;
        else if (blank && start >= 0) {
            result.append(folded.sliced(start, i - start));
            start = -1;
        }
    }
    return result;
}

}  // namespace TextFold
