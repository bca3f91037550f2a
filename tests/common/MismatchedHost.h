#pragma once

#include <QObject>

// A host whose handler has the event's name but wants an argument that the
// event does not carry.
class MismatchedHost : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int applyCalls MEMBER applyCalls)

public:
    int applyCalls = 0;

public slots:
    void gcfg_ApplyCurrent(int) { ++applyCalls; }
};
