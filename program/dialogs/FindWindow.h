// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;

// The find window "Find...": collects the text to find and the direction.
// Each "Find Next" (or Enter) remembers the trimmed text in the caller's
// find text and asks for a search; the window stays open until cancelled.
class FindWindow : public QDialog
{
    Q_OBJECT

public:
    enum Direction { Down = 0, Up = 1 };

    FindWindow(QString &findText, QWidget *parent = nullptr);

signals:
    // A search for text, downwards (Down) or upwards (Up) from the row found last.
    void findRequested(const QString &text, int direction);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void findNext();

    QString &m_findText;
    QLineEdit *m_text = nullptr;
    QComboBox *m_direction = nullptr;
};
