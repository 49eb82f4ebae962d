#include "eventdesc.h"

#include "evdescfile.h"

#include <QFile>

EventDesc::EventDesc(const QString &language, QObject *parent)
    : QObject(parent)
    , m_language(language)
{
    m_loaded = load();
}

bool EventDesc::load()
{
    m_descriptions.clear();
    QFile file(EvDescFile::readPath(m_language));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_loaded = false;
        return false;
    }
    m_loaded = EvDescFile::parse(file.readAll(), m_version, m_descriptions);
    return m_loaded;
}

EvDesc EventDesc::description(int code) const
{
    return m_descriptions.value(code & 0xFF);
}

EvDescList EventDesc::descriptions() const
{
    return m_descriptions.values();
}
