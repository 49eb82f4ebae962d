#include "eventdesc.h"

#include "evdescfile.h"

#include <QFile>

EventDesc::EventDesc(const QString &language, QObject *parent)
    : QObject(parent)
    , m_language(language)
{
    load();
}

bool EventDesc::load()
{
    m_descriptions.clear();
    m_path = EvDescFile::readPath(m_language);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_report = EvDescFile::ReadReport();
        m_report.failure = EvDescFile::ReadReport::Unreadable;
        return false;
    }
    m_report = EvDescFile::parse(file.readAll(), m_version, m_descriptions);
    return m_report.isLoaded();
}

EvDesc EventDesc::description(int code) const
{
    return m_descriptions.value(code & 0xFF);
}

EvDescList EventDesc::descriptions() const
{
    return m_descriptions.values();
}
