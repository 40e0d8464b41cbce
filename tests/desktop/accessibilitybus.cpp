#include "accessibilitybus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>

Q_DECLARE_METATYPE(AccessibleRef)

QDBusArgument &operator<<(QDBusArgument &argument, const AccessibleRef &ref)
{
    argument.beginStructure();
    argument << ref.service << ref.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, AccessibleRef &ref)
{
    argument.beginStructure();
    argument >> ref.service >> ref.path;
    argument.endStructure();
    return argument;
}

namespace {
const QString RegistryService = QStringLiteral("org.a11y.atspi.Registry");
const QString RootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString AccessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString BusName = QStringLiteral("zubbo-accessibility");

QString accessibilityAddress(const QString &sessionBusAddress)
{
    QDBusConnection session = QDBusConnection::connectToBus(sessionBusAddress,
                                                            QStringLiteral("zubbo-session"));
    QDBusInterface launcher(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                            QStringLiteral("org.a11y.Bus"), session);
    const QDBusReply<QString> address = launcher.call(QStringLiteral("GetAddress"));
    return address.isValid() ? address.value() : QString();
}

QDBusMessage call(const QDBusConnection &bus, const AccessibleRef &ref, const QString &interface,
                  const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(ref.service, ref.path.path(), interface,
                                                          method);
    message.setArguments(arguments);
    return bus.call(message);
}
} // namespace

AccessibilityBus::AccessibilityBus(const QString &sessionBusAddress)
    : m_bus(QDBusConnection::connectToBus(accessibilityAddress(sessionBusAddress), BusName))
{
    qDBusRegisterMetaType<AccessibleRef>();
    qDBusRegisterMetaType<QList<AccessibleRef>>();
}

AccessibilityBus::~AccessibilityBus()
{
    QDBusConnection::disconnectFromBus(BusName);
    QDBusConnection::disconnectFromBus(QStringLiteral("zubbo-session"));
}

std::optional<AccessibleRef> AccessibilityBus::application(qint64 pid) const
{
    for (const AccessibleRef &program : children({RegistryService, QDBusObjectPath(RootPath)})) {
        const QDBusReply<uint> process = m_bus.interface()->servicePid(program.service);
        if (process.isValid() && process.value() == pid)
            return AccessibleRef{program.service, QDBusObjectPath(RootPath)};
    }
    return std::nullopt;
}

QList<AccessibleRef> AccessibilityBus::children(const AccessibleRef &parent) const
{
    const QDBusReply<QList<AccessibleRef>> reply = call(m_bus, parent, AccessibleInterface,
                                                        QStringLiteral("GetChildren"));
    return reply.isValid() ? reply.value() : QList<AccessibleRef>();
}

QString AccessibilityBus::name(const AccessibleRef &accessible) const
{
    const QDBusReply<QDBusVariant> reply = call(m_bus, accessible,
                                                QStringLiteral("org.freedesktop.DBus.Properties"),
                                                QStringLiteral("Get"),
                                                {AccessibleInterface, QStringLiteral("Name")});
    return reply.isValid() ? reply.value().variant().toString() : QString();
}

QString AccessibilityBus::role(const AccessibleRef &accessible) const
{
    const QDBusReply<QString> reply = call(m_bus, accessible, AccessibleInterface,
                                           QStringLiteral("GetRoleName"));
    return reply.isValid() ? reply.value() : QString();
}

QList<AccessibleNode> AccessibilityBus::tree(const AccessibleRef &root) const
{
    QList<AccessibleNode> nodes;
    for (const AccessibleRef &child : children(root)) {
        nodes.append({child, role(child), name(child)});
        nodes.append(tree(child));
    }
    return nodes;
}

bool AccessibilityBus::press(const AccessibleRef &accessible) const
{
    const QDBusReply<bool> reply = call(m_bus, accessible, QStringLiteral("org.a11y.atspi.Action"),
                                        QStringLiteral("DoAction"), {0});
    return reply.isValid() && reply.value();
}
