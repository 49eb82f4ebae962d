#pragma once

#include <QLabel>

// A label that acts as a link: a click on it is reported with the tag it was given.
class ExLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ExLabel(const QString &text, int tag, QWidget *parent = nullptr);

    int tag() const { return m_tag; }

signals:
    void clicked(int aTag);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_tag = 0;
};
