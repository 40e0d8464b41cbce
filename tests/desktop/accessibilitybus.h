#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QList>
#include <QString>

#include <optional>

// One accessible object of a program on the accessibility bus: the program's bus name and
// the object's path.
struct AccessibleRef
{
    QString service;
    QDBusObjectPath path;
};

// An accessible with what a screen reader reads of it.
struct AccessibleNode
{
    AccessibleRef ref;
    QString role; // AT-SPI's role name: "menu item", "push button", "label", ...
    QString name;
};

// The AT-SPI accessibility bus of a session, as a screen reader sees it: the programs
// registered there and the tree of accessible objects each shows.
class AccessibilityBus
{
public:
    // Asks the session bus at `sessionBusAddress` for the accessibility bus, which that
    // starts on demand, and connects to it.
    explicit AccessibilityBus(const QString &sessionBusAddress);
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus &) = delete;
    AccessibilityBus &operator=(const AccessibilityBus &) = delete;

    bool isConnected() const { return m_bus.isConnected(); }
    // The root of the registered program whose process is `pid`, none while it is not.
    std::optional<AccessibleRef> application(qint64 pid) const;
    // Every accessible below `root`, depth first, root excluded.
    QList<AccessibleNode> tree(const AccessibleRef &root) const;
    // The accessible's first action: "press" for a button or a menu item.
    bool press(const AccessibleRef &accessible) const;

private:
    QList<AccessibleRef> children(const AccessibleRef &parent) const;
    QString name(const AccessibleRef &accessible) const;
    QString role(const AccessibleRef &accessible) const;

    QDBusConnection m_bus;
};
