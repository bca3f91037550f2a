// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A temporary folder for a default stack file ("work.tsy" and its backup),
// for the tests of the default file, its backup, lock and automatic save.
#pragma once

#include "URLBlock.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class DefaultStackFixture
{
protected:
    void setUpFolder()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    QString base() const { return m_dir->filePath("work"); }

    // An entry titled title added to the store's first group (made when there is none).
    static void fill(URLBlock &store, const QString &title)
    {
        if (store.IDXList().isEmpty())
            store.NewCatagory("G");
        store.urlDatas().Add(title, "https://example.org/", 0)->Created = 40000.5;
        store.countChange();
    }

    // A store as its file lists it: each group's name after "+", then the titles of its entries.
    static QStringList outline(const URLBlock &store)
    {
        QStringList lines;
        for (int group = -1; group < store.IDXList().groupCount(); ++group) {
            if (group >= 0)
                lines << '+' + store.IDXList().at(group).name;
            for (const URLData &entry : store.urlDatas()) {
                if (entry.Owner == group || (group < 0 && !store.IDXList().isGroup(entry.Owner)))
                    lines << entry.Name;
            }
        }
        return lines;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};
