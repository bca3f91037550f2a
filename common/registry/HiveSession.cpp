#include "HiveSession.h"

#include "Registry.h"

#include <QLockFile>

namespace {

thread_local HiveSession *innermost = nullptr;

} // namespace

HiveSession::HiveSession(quint32 hive, Mode mode)
    : m_hive(hive)
    , m_contents(Registry::rootName(hive))
{
    if (mode == Writing) {
        m_lock = Registry::lockHive(hive, &m_error);
        if (!m_lock)
            return;
    }
    m_open = Registry::readHiveFile(hive, &m_contents, &m_error);
    if (!m_open) {
        m_lock.reset();
        return;
    }
    m_outer = innermost;
    innermost = this;
}

HiveSession::~HiveSession()
{
    if (!m_open)
        return;
    // Sessions are scoped, so this one is the innermost.
    innermost = m_outer;
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
    if (!Registry::writeHiveFile(m_hive, changed, &m_error)) {
        if (error)
            *error = m_error;
        return false;
    }
    m_contents = changed;
    return true;
}
