// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window over six entries in two groups, for the tests of the
// commands on the entry lists' rows, with ways to read and select the rows.
#pragma once

#include "EntryListModel.h"
#include "EntryListView.h"
#include "EntryRowTexts.h"
#include "OpenerWindowFixture.h"
#include "ProgramTranslations.h"
#include "TestEnvironment.h"

#include <QItemSelectionModel>

class EntryRowsFixture : protected OpenerWindowFixture
{
protected:
    // Two groups. News: Alpha (rated 2, 3 visits, visited 2024), Beta (never
    // visited), Twin, Twin (two entries that look the same), Delta (10 visits).
    // Tech: Gamma. Store keys run 1 to 6 in this order.
    static QByteArray stackText()
    {
        using TestEnvironment::entryLine;
        return "+News\r\n"
            + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"}) + "\r\n"
            + entryLine({"http://b.example/", "beta", "0", "B12800000", "0", "0", "0"}) + "\r\n"
            + entryLine({"http://t.example/", "Twin", "0", "B12800000", "9", "0", "1"}) + "\r\n"
            + entryLine({"http://t.example/", "Twin", "0", "B12800000", "9", "0", "1"}) + "\r\n"
            + entryLine({"-x", "Delta", "B1360927C", "B12A00000", "10", "0", "4"}) + "\r\n"
            + "+Tech\r\n" + entryLine({"http://g.example/", "Gamma", "B1340927C", "B12800000", "1", "0", "3"})
            + "\r\n";
    }

    void setUpRows() { setUpWindow(stackText()); }

    // The texts of a column of the active list, top to bottom.
    QStringList column(int column) const
    {
        QStringList texts;
        const EntryListModel *model = m_window->activeModel();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, column).data().toString();
        return texts;
    }

    QStringList titles() const { return column(EntryRowTexts::Title); }

    // Selects the rows of the active list; the first becomes the current one.
    void select(const QList<int> &rows)
    {
        EntryListView *list = m_window->activeList();
        list->clearSelection();
        for (const int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (!rows.isEmpty())
            list->selectionModel()->setCurrentIndex(list->model()->index(rows.first(), 0),
                                                    QItemSelectionModel::NoUpdate);
    }

    const URLData *entry(quint32 key) const
    {
        return m_state->store.urlDatas().Item(m_state->store.urlDatas().positionOfKey(key));
    }

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};
};
