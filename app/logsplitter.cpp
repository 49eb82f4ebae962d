#include "logsplitter.h"

#include <QPainter>

namespace {

class SilverHandle : public QSplitterHandle
{
public:
    SilverHandle(Qt::Orientation orientation, QSplitter *parent)
        : QSplitterHandle(orientation, parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        Q_UNUSED(event)
        // CSS's "silver", as the handle always was.
        QPainter(this).fillRect(rect(), QColor(0xc0, 0xc0, 0xc0));
    }
};

} // namespace

LogSplitter::LogSplitter(Qt::Orientation orientation, QWidget *parent)
    : QSplitter(orientation, parent)
{
}

QSplitterHandle *LogSplitter::createHandle()
{
    return new SilverHandle(orientation(), this);
}
