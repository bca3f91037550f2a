// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

class URLDatas;

// One bookmark entry. Dates are day counts (see DayCount); 0 means "no date".
// The key (ID) is handed out by URLDatas::Add and cannot be changed afterwards.
class URLData
{
public:
    QString Name;
    QString url;
    int Owner = -1;            // position of the entry's group in the group table; -1: no group
    double LastAccesed = 0.0;  // 0: never visited
    double Created = 0.0;
    qint32 Visited = 0;
    quint8 Rated = 0;     // 0 "Not Rated" .. 4 "V.High"
    quint8 Catagory = 0;  // kept and written, not otherwise used

    // The entry's key: its key number as decimal text of at least five digits.
    QString ID() const;
    quint32 keyNumber() const { return m_key; }

    static QString keyText(quint32 keyNumber);

private:
    friend class URLDatas;
    quint32 m_key = 0;
};
