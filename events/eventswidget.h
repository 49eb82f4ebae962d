#pragma once

#include "eventdesc.h"
#include "evfilter.h"
#include "modbusevent.h"

#include <QWidget>

#include <memory>

class EventsFilterProxyModel;
class EventsModel;
class EvFilterDialog;
class FilledGridTableView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The event log: events read from the controllers, newest on top, coloured and described in the
// user's language, with a filter, a still view while events arrive, clearing and CSV saving.
class EventsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit EventsWidget(QWidget *parent = nullptr);
    ~EventsWidget() override;

    // Takes the descriptions of the language; the previous ones are dropped.
    void setEventDescLanguage(const QString &language);
    // The version of the description file the log renders with (0 when none was read).
    int eventDescVersion() const { return m_eventDesc ? m_eventDesc->version() : 0; }
    bool isEventDescLoaded() const { return m_eventDesc && m_eventDesc->isLoaded(); }
    // Events had to be dropped since the widget was created (the yellow indicator).
    bool hasOverflowed() const { return m_overflowed; }

public slots:
    void slotSetFilter();
    void slotEventsInserted(const QModelIndex &parent, int first, int last);
    void slotFixationClicked(bool checked);
    void slotClear();
    void slotSaveToCsv();
    void slotEvents(ModbusProtocol::EventList events);
    void slotEventDescModifyed();
    void slotSetMaxEvCount(int maxEvCount);

private:
    void clearEvents();
    void updateFilterControls();
    void updateStatus();
    void updateDescIndicator();
    void setOverflow();
    QString filterSummary() const;

    EventsModel *m_model = nullptr;
    EventsFilterProxyModel *m_proxy = nullptr;
    EvFilter m_filter;
    EvFilterDialog *m_filterDialog = nullptr;
    std::unique_ptr<EventDesc> m_eventDesc;
    QString m_language;
    int m_maxEvCount = 50000;
    quint64 m_receivedCount = 0;
    bool m_overflowed = false;
    QString m_csvFileName;

    QPushButton *m_filterButton = nullptr;
    QLineEdit *m_rynEdit = nullptr;
    QLineEdit *m_auEdit = nullptr;
    QLineEdit *m_codeEdit = nullptr;
    QCheckBox *m_fixationCheck = nullptr;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_descIndicator = nullptr;
    QLabel *m_overflowIndicator = nullptr;
    QLabel *m_receivedLabel = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_csvButton = nullptr;
    FilledGridTableView *m_table = nullptr;
};
