#pragma once

#include "evdesc.h"
#include "eventdesc.h"

#include <QMainWindow>

#include <memory>

class EvDescDialog;
class QAction;
class QLabel;
class QTableWidget;

// The event description editor: shows the descriptions of the current language, lets the user
// recolour them and saves the file back. Adding, removing and re-versioning are shown but disabled.
class EvDescListDialog : public QMainWindow
{
    Q_OBJECT

public:
    explicit EvDescListDialog(QWidget *parent = nullptr);

signals:
    // Emitted on closing after the file was saved, so the event log re-reads it.
    void signalEventDescModifyed();

public slots:
    void slotEditEventDesc();
    void slotSaveEventDescList();
    // Opens afresh from the file of the language and returns at once (the window is window-modal).
    void exec(const QString &curLang);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void fillRow(int row);
    void updateState();

    QString m_curLang;
    std::unique_ptr<EventDesc> m_eventDesc;
    EvDescList m_evDescList;
    int m_version = 0;
    bool m_modified = false;
    bool m_saved = false;
    bool m_fileRewritten = false; // saved in this opening: the file holds the list now

    QAction *m_editAction = nullptr;
    QAction *m_saveAction = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_statusLabel = nullptr;
    EvDescDialog *m_evDescDialog = nullptr;
};
