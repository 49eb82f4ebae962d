#pragma once

#include <QDialog>
#include <QMap>
#include <QString>

class QListWidget;
class QPushButton;

// One controller command as the command list offers it; its command code is 1000 + `command`.
struct RynCmd
{
    quint8 command = 0;
    quint8 target = 0;
    quint8 param1 = 0;
    quint8 param2 = 0;
    QString text; // the command in words, "СЛИ слева - выключить"
};

// The list of controller commands (loop outputs, relays, clearing the tables) to pick one from.
class RynCmdDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RynCmdDialog(QWidget *parent = nullptr);

    // On QDialog::Accepted `rynCmd` holds the chosen command.
    int exec(RynCmd &rynCmd);

    QListWidget *list() const { return m_list; }

private:
    void addCommand(int key, const QString &text, quint8 command);
    void fitListToEntries();

    QMap<int, RynCmd> m_commands;
    QListWidget *m_list = nullptr;
    QPushButton *m_executeButton = nullptr;
};
