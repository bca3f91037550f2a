#pragma once

#include <QTreeView>

// An entry list: a report-style view of an EntryListModel that accepts
// dropped addresses.
class EntryListView : public QTreeView
{
    Q_OBJECT

public:
    explicit EntryListView(const QString &objectName, QWidget *parent = nullptr);

    // The key (tag) of the current row, 0 when there is none.
    quint32 currentKey() const;

signals:
    // Text was dropped on the list: an address to add.
    void addressDropped(const QString &address);
    void contextMenuWanted(const QPoint &globalPos);
    // Up or Down moved the current row.
    void arrowKeyPressed();
    // Ctrl+F (0 "Find"), Ctrl+N (1 "Find Next"), Ctrl+P (2 "Find Previous").
    void findKeyPressed(int item);

public slots:
    // A refilled list shows its sort order only while its rows are sorted.
    void reset() override;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
