#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;

// Lets the user choose the serial line to the controllers (from the list the system reports, typed by
// hand for a device it does not list, or a serial device server as "tcp://HOST:PORT") or switch the
// port off, and whether an adapter's echo of the requests is taken off. It only shows the choice: the
// main window reads it back, stores it and reopens the port.
class OstrelCommPortDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OstrelCommPortDialog(QWidget *parent = nullptr);

    // The choice after an accepted exec: the port name without surrounding blanks, and whether the
    // port is switched off.
    QString selectedPortName() const;
    bool isPortDisabled() const;
    // "авто" (an echo in front of an answer is taken off) or "нет"; set before exec, read after it.
    void setStripEcho(bool strip);
    bool isStripEcho() const;

    // Parallel ports never lead to a controller, so they are not offered.
    static QStringList offeredPortNames(const QStringList &availablePortNames);
    // The port in use could not be opened for want of permission: its state says what to do.
    void setAccessDenied(bool denied) { m_accessDenied = denied; }
    // What the user must do when a port cannot be opened for want of permission.
    static QString accessDeniedText();
    // Why the port in use could not be opened, shown beside its state; empty when nothing is known.
    void setOpenError(const QString &reason) { m_openError = reason; }
    // Echoes taken off since the port in use opened, shown while it is open (live, also during exec).
    void setEchoCount(int echoes);

signals:
    void signalComPortChanged(QString portName);

public slots:
    void slotAcceptClicked();
    void slotCancelClicked();
    void slotPortChanged(const QString &text);
    void slotDisconnectChanged(bool isChecked);
    int exec(const QString &portName, bool isDisable, bool isOpen);

protected:
    // The port names the serial library enumerates, in its order.
    virtual QStringList availablePortNames() const;

private:
    void refillPortList();
    void showEchoCount();
    void fitWidth();

    QString m_portName;
    bool m_isOpen = false;
    bool m_accessDenied = false;
    QString m_openError;
    int m_echoCount = 0;
    QCheckBox *m_disableCheckBox = nullptr;
    QComboBox *m_portComboBox = nullptr;
    QLabel *m_statusLabel = nullptr;
    QComboBox *m_echoComboBox = nullptr;
    QLabel *m_echoCountLabel = nullptr;
    QFormLayout *m_formLayout = nullptr;
};
