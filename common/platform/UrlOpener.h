#pragma once

#include <QString>
#include <QUrl>

// Hands an address to whatever shows it (the desktop's browser). The URL has
// already passed the address rule (OpenableAddress); an opener passes it on
// as one argument, never through a shell.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    // False, with an error text, when nothing could be started.
    virtual bool open(const QUrl &url, QString *error) = 0;
};
