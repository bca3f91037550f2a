// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HiveSession.h"

#include "Registry.h"

#include <QLockFile>

#include <utility>

namespace {

thread_local HiveSession *innermost = nullptr;

} // namespace

HiveSession::HiveSession(quint32 hive, Mode mode)
    : m_hive(hive)
    , m_contents(Registry::rootName(hive))
{
    if (mode != Reading) {
        m_lock = Registry::lockHive(hive, &m_error);
        if (!m_lock)
            return;
    }
    m_open = Registry::readHiveFile(hive, &m_contents, &m_error);
    if (!m_open) {
        m_lock.reset();
        return;
    }
    m_deferred = mode == Deferred;
    if (m_lock)
        m_writtenText = m_contents.toText();
    m_outer = innermost;
    innermost = this;
}

HiveSession::~HiveSession()
{
    close();
}

bool HiveSession::close()
{
    if (!m_open)
        return true;
    m_open = false;
    // Sessions are scoped, so this one is the innermost.
    innermost = m_outer;
    bool written = true;
    if (m_deferred) {
        const QByteArray text = m_contents.toText();
        if (text != m_writtenText)
            written = Registry::writeHiveText(m_hive, text, &m_error);
    }
    m_writtenText.clear();
    m_lock.reset();
    return written;
}

HiveSession *HiveSession::active(quint32 hive)
{
    for (HiveSession *session = innermost; session; session = session->m_outer) {
        if (session->m_hive == hive)
            return session;
    }
    return nullptr;
}

bool HiveSession::change(const std::function<bool(RegistryHive &)> &edit, QString *error)
{
    RegistryHive changed = m_contents;
    if (!edit(changed))
        return true;
    if (m_deferred) {
        m_contents = changed;
        return true;
    }
    QByteArray text = changed.toText();
    if (text != m_writtenText && !Registry::writeHiveText(m_hive, text, &m_error)) {
        if (error)
            *error = m_error;
        return false;
    }
    m_contents = changed;
    m_writtenText = std::move(text);
    return true;
}
