#pragma once

#include <QByteArray>
#include <QDialog>

class QLabel;

// Waits for one flame detector's border and shows it. One dialog serves the whole program: the
// border arrives later, with the block the controller was asked to read, and only that block may
// answer the question (the other two borders are read by monitoring all the time).
class AuValueDialog : public QDialog
{
    Q_OBJECT

public:
    // The one dialog; created on first use, with `parent`: the main window makes it first, as its own.
    static AuValueDialog *instance(QWidget *parent = nullptr);

    // Shows the dialog without blocking and waits for the border block `readCode` (58..60).
    void open(uchar addr, int readCode, const QString &title, const QString &labelText);

    uchar address() const { return m_addr; }
    int readCode() const { return m_readCode; }
    QString text() const;

public slots:
    // A border block read from the controller (code 58..60). An empty block tells that the read failed.
    void slotIppBorderRead(int cmdCode, QByteArray ba);

private:
    explicit AuValueDialog(QWidget *parent);

    QLabel *m_label = nullptr;
    uchar m_addr = 0;
    int m_readCode = 0;
};
