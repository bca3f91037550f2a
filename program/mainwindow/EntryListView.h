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

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};
