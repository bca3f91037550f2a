// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextFold.h"

#include <QHash>

#include <vector>

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

// The way the table is made, and taken for characters outside the BMP.
// Decomposing each character alone gives what decomposing the text does
// but for the order of combining marks, which are dropped.
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

// Each character of the BMP folded: one unit, none (a mark), or several.
class FoldTable
{
public:
    static constexpr char16_t manyUnits = 0xFFFF;  // never a folded character: U+FFFF is no character
    static constexpr char16_t noUnit = 0xFFFE;     // nor this

    FoldTable()
        : m_single(0x10000)
    {
        QString folded;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            folded.clear();
            const QChar ch {char16_t(c)};
            appendFoldedUnicode(QStringView(&ch, 1), folded);
            if (folded.isEmpty()) {
                m_single[c] = noUnit;
            } else if (folded.size() == 1) {
                m_single[c] = folded.front().unicode();
            } else {
                m_single[c] = manyUnits;
                m_several.insert(char16_t(c), folded);
            }
        }
    }

    char16_t single(char16_t c) const { return m_single[c]; }
    QString units(char16_t c) const { return m_several.value(c); }

private:
    std::vector<char16_t> m_single;
    QHash<char16_t, QString> m_several;
};

const FoldTable &foldTable()
{
    static const FoldTable table;
    return table;
}

void appendUtf8(char16_t c, QByteArray &out)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Folds text, handing each folded BMP character to unit and each longer
// piece (several characters, or a character outside the BMP) to piece.
template<typename Unit, typename Piece> void foldEach(QStringView text, Unit unit, Piece piece)
{
    const FoldTable *table = nullptr;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                unit(char16_t(c + ('a' - 'A')));
            else if (c < 0x20 || c == 0x7f)
                unit(u' ');
            else
                unit(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(text[i + 1].unicode())) {
            QString folded;
            appendFoldedUnicode(text.sliced(i, 2), folded);
            piece(QStringView(folded));
            ++i;
            continue;
        }
        if (!table)
            table = &foldTable();
        if (QChar::isSurrogate(c)) {
            unit(u' ');  // half of a pair: no character
            continue;
        }
        const char16_t single = table->single(c);
        if (single == FoldTable::manyUnits)
            piece(QStringView(table->units(c)));
        else if (single != FoldTable::noUnit)
            unit(single);
    }
}

}  // namespace

void appendFolded(QStringView text, QString &out)
{
    foldEach(
        text, [&out](char16_t c) { out += QChar(c); }, [&out](QStringView piece) { out += piece; });
}

void appendFoldedUtf8(QStringView text, QByteArray &out)
{
    foldEach(
        text, [&out](char16_t c) { appendUtf8(c, out); },
        [&out](QStringView piece) { out += piece.toUtf8(); });
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
