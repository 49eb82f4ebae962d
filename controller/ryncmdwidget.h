#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

class QPushButton;
class QToolButton;
class RynCmdDialog;
class RynSetupDialog;

// The controller command buttons under the information panel: reset one or all controllers, a
// command from the list, the constants, and the default or empty configuration. Every command is
// confirmed where it changes the controller, and leaves as a signal for the main window to queue.
class RYNCmdWidget : public QWidget
{
    Q_OBJECT

public:
    explicit RYNCmdWidget(QWidget *parent = nullptr);

    RynCmdDialog *cmdDialog() const { return m_cmdDialog; }
    RynSetupDialog *setupDialog() const { return m_setupDialog; }
    QList<int> foundRyns() const { return m_foundRyns; }

signals:
    void signalSendCmd(int cmdCode, QByteArray info);
    void signalSendCmd2(uchar rynAddr, int cmdCode, QByteArray info);

public slots:
    void slotResetRyn();
    void slotResetAllRyn();
    void slotCmdToRyn();
    void slotRynParams();
    void slotSetDefaultConfig();
    void slotClearConfig();
    void slotRynSelected(int rynAddr);
    void slotRynFound(int rynAddr);
    void slotDisableRynCommands();

private:
    bool confirmed(const QString &question);
    QToolButton *iconButton(const QString &objectName, const QString &icon, const QString &toolTip);

    int m_rynAddr = 0;
    QList<int> m_foundRyns;
    QPushButton *m_defaultsButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QToolButton *m_resetButton = nullptr;
    QToolButton *m_commandsButton = nullptr;
    QToolButton *m_paramsButton = nullptr;
    QToolButton *m_resetAllButton = nullptr;
    RynCmdDialog *m_cmdDialog = nullptr;
    RynSetupDialog *m_setupDialog = nullptr;
};
