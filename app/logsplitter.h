#pragma once

#include <QSplitter>

// The splitter between the unit and controller views and the event log: its handle is a plain silver
// bar. It paints the handle itself rather than taking a style sheet: a style sheet on the splitter
// restyles every widget put under it, and the views hold thousands, which made building the main
// window take twice as long.
class LogSplitter : public QSplitter
{
    Q_OBJECT

public:
    explicit LogSplitter(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    QSplitterHandle *createHandle() override;
};
