#pragma once

#include <QObject>

// An object whose event has a default argument, so that its class lists the
// event twice: with the argument and without it.
class EventSource : public QObject
{
    Q_OBJECT

signals:
    void Moved(int distance = 1);
};
