// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Synthetic stack files for the benchmarks: groups of entries with realistic
// titles (20-80 characters of words, some of them non-ASCII) and addresses
// (30-120 characters, https://host/path?query), created within the three
// years before a reference day and last visited between then and that day,
// one in five never visited. Everything is drawn from a generator seeded with
// the settings' seed, so the same settings always give the same bytes.
class StackFileGenerator
{
public:
    struct Settings
    {
        qsizetype entryCount = 100000;
        int groupCount = 200;
        quint32 seed = 1;
        // The day count (whole day) that all dates lie before; 0 means today.
        double referenceDay = 0.0;
    };

    explicit StackFileGenerator(const Settings &settings);

    // The whole file: UTF-8, CR LF line ends, each group line followed by
    // its entries. Entries are spread evenly over the groups.
    QByteArray text();

    // Writes text() to path. False, with an error text, when that fails.
    bool writeFile(const QString &path, QString *error = nullptr);

    double referenceDay() const { return m_referenceDay; }

private:
    QString word();
    QString separator();
    QString title();
    QString groupName();
    QByteArray address();
    void appendEntryLine(QByteArray &out);
    int pick(int size) { return int(m_random.bounded(quint32(size))); }

    Settings m_settings;
    double m_referenceDay = 0.0;
    QRandomGenerator m_random;
    QStringList m_titleWords;       // ASCII
    QStringList m_accentedWords;    // with non-ASCII letters
    QList<QByteArray> m_pathWords;  // ASCII only
    QList<QByteArray> m_hosts;      // a pool, so that hosts repeat as they do in real collections
};
