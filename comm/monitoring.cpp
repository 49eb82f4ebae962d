#include "monitoring.h"

#include <QSet>

namespace Monitoring {

namespace {

class ListBuilder
{
public:
    explicit ListBuilder(const QByteArray &types)
    {
        for (char type : types)
            m_present.insert(quint8(type));
    }

    bool any(std::initializer_list<int> types) const
    {
        for (int type : types) {
            if (m_present.contains(type))
                return true;
        }
        return false;
    }

    void add(std::initializer_list<int> codes)
    {
        for (int code : codes) {
            if (!m_list.contains(code))
                m_list.append(code);
        }
    }

    QList<int> list() const { return m_list; }

private:
    QSet<int> m_present;
    QList<int> m_list;
};

void generalTab(ListBuilder &b, int viewMode)
{
    b.add({18, 23});
    switch (viewMode) {
    case 0:
        if (b.any({3, 6, 2}))
            b.add({100, 13, 14, 7});
        if (b.any({4, 23, 24}))
            b.add({7, 35, 37});
        if (b.any({17}))
            b.add({13, 14});
        if (b.any({8, 9}))
            b.add({19, 20});
        if (b.any({14}))
            b.add({32});
        if (b.any({13}))
            b.add({30, 31});
        if (b.any({10, 11}))
            b.add({21, 22});
        if (b.any({15, 16}))
            b.add({33, 34});
        break;
    case 1:
        b.add({6});
        break;
    case 2:
        if (b.any({3, 2, 4, 23, 24}))
            b.add({7, 35, 37});
        break;
    case 3:
        if (b.any({3, 6, 24, 17}))
            b.add({13, 14});
        break;
    default:
        break;
    }
}

void allParameters(ListBuilder &b)
{
    b.add({6, 8, 12, 38, 18, 23, 10, 11, 101, 51, 52, 53, 54, 55, 56, 57});
    if (b.any({7, 12}))
        b.add({27});
    if (b.any({7}))
        b.add({28});
    if (b.any({1, 12}))
        b.add({26});
    if (b.any({3, 2, 23, 24}))
        b.add({9, 100});
    if (b.any({3, 2}))
        b.add({43});
    if (b.any({3, 2, 4, 23, 24, 16, 15}))
        b.add({7});
    if (b.any({3, 6, 24, 17}))
        b.add({24, 15, 16, 17, 13, 14, 25, 36});
    if (b.any({3, 2, 4, 23, 24}))
        b.add({29});
    if (b.any({4, 23}))
        b.add({39, 35, 37});
    if (b.any({4, 23, 24}))
        b.add({41, 40, 42});
    if (b.any({5, 6}))
        b.add({44, 45, 46, 47, 48, 49, 50});
    if (b.any({13}))
        b.add({30, 31});
    if (b.any({14}))
        b.add({32});
    if (b.any({8, 9}))
        b.add({19, 20});
    if (b.any({10, 11}))
        b.add({21, 22});
    if (b.any({10, 11, 13}))
        b.add({105});
    if (b.any({15, 16}))
        b.add({33, 34, 103});
}

} // namespace

QList<int> buildList(int mode, int viewMode, const QByteArray &types)
{
    ListBuilder b(types);
    b.add({4, 5, 1, 2, 3, 58, 59, 60});
    switch (mode) {
    case GeneralTab:
        generalTab(b, viewMode);
        break;
    case IonistorTab:
        b.add({18});
        if (b.any({3, 6, 24, 17}))
            b.add({13, 14, 24});
        break;
    case SmokeTab:
        b.add({18, 7});
        if (b.any({4, 23, 24}))
            b.add({29, 35, 37, 39, 40, 42, 8, 12, 101});
        break;
    case AllParameters:
        allParameters(b);
        break;
    default:
        break;
    }
    return b.list();
}

QMap<int, int> defaultPolicy()
{
    return {{54, ReadEveryMinute}, {55, ReadEveryMinute}, {56, ReadEveryMinute}, {57, ReadEveryMinute},
            {58, ReadEveryMinute}, {59, ReadOnce},        {60, ReadOnce}};
}

bool isDue(int policy, const QDateTime &lastRead, const QDateTime &now)
{
    switch (policy) {
    case ReadOnce:
        return !lastRead.isValid();
    case ReadEveryMinute:
        if (!lastRead.isValid())
            return true;
        if (lastRead > now)
            return false;
        return lastRead.msecsTo(now) >= minuteMs;
    default:
        return true;
    }
}

} // namespace Monitoring
