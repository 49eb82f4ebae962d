#pragma once

#include "hardtypes.h"

#include <QByteArray>
#include <QMap>
#include <QMenu>
#include <QStringList>

#include <array>
#include <functional>

struct AuMenuContext;
class AuReleDialog;

// The right-click menu of one unit: offers what the unit's type can do, and turns the choice into a
// command code with the unit's address and two parameter bytes. Choices that need more from the
// engineer first (relays, a border value, a new address) run their dialogs before anything is sent;
// showing the unit's properties or its configuration is left to the owner through signals.
class AuMenu : public QMenu
{
    Q_OBJECT

public:
    // What the menu is opened for.
    struct Unit
    {
        int addr = 0;
        int type = UndefinedType;
        quint16 relaysOn = 0; // bit i: relay i + 1 reads on
    };

    // Codes the menu handles itself; they never reach the controller.
    enum LocalCode
    {
        ShowProperties = 1000,
        RelaysOn = 1500,
        RelaysOff = 1501,
        SetAddress = 1502,
        ShowConfiguration = 1503,
        ReadBorderW1 = 1504,
        ReadBorderW3 = 1506,
        WriteBorderW1 = 1507,
        WriteBorderW3 = 1509,
        ShowTrend = 1510,
    };

    static constexpr int IdentifierCount = 40;
    // "Тренд ...": shown only while a trend window takes the requests.
    static constexpr int TrendIdentifier = 41;

    explicit AuMenu(QWidget *parent = nullptr);

    // What the owner answers for the menu; none: re-addressing sends nothing and borders start at 0.
    void setContext(const AuMenuContext *context) { m_context = context; }

    // Shows the items that make sense for a unit of this type at this address.
    void prepare(int addr, int type);
    // Prepares the menu, runs it at `globalPos` and carries out the choice.
    void run(const Unit &unit, const QPoint &globalPos);

    int code() const { return m_code; }
    quint8 param1() const { return m_param1; }
    quint8 param2() const { return m_param2; }
    uchar address() const { return m_addr; }
    AuReleDialog *releDialog() const { return m_releDialog; }
    // The item or submenu entry of an action identifier (1..40).
    QAction *action(int identifier) const { return m_actions.value(identifier); }
    // A submenu by its title.
    QMenu *submenu(const QString &title) const;

    // The relays that read on, from a module's four outputs and the two of its input/relay bank
    // (which type 13 uses for its relays 1 and 2).
    static quint16 relayMask(int type, const std::array<int, 4> &outputs, const std::array<int, 2> &bank);

signals:
    void signalSendCmd(int cmdCode, QByteArray info);
    void signalShowAuParams(int addr);
    void signalShowAuConfig(int addr, HardTypes type);

public slots:
    void slotActivated(QAction *pAction);

private:
    QAction *addItem(const QString &text, int identifier);
    QMenu *addSubmenu(const QString &title, const QList<QPair<QString, int>> &entries,
                      const QString &icon = QString());
    void carryOut(const Unit &unit);
    void switchRelays(const Unit &unit, bool on);
    void setAddress(const Unit &unit);
    void readBorder(const Unit &unit, int w);
    void writeBorder(const Unit &unit, int w);

    QStringList m_titles; // of the submenus, to find them again
    QMap<int, QAction *> m_actions;
    // The menu's own top-level items; an owner may add actions of its own after them.
    QList<QAction *> m_items;
    int m_code = 0;
    quint8 m_param1 = 0;
    quint8 m_param2 = 0;
    uchar m_addr = 0;
    AuReleDialog *m_releDialog = nullptr;
    const AuMenuContext *m_context = nullptr;
};
