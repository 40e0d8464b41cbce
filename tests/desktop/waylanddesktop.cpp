#include "waylanddesktop.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <functional>

namespace {
constexpr int ToolTimeoutMs = 10000;
constexpr int PointerRestMs = 100;

// A tool's standard output, or nothing when it failed.
QByteArray run(const QString &program, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess tool;
    tool.start(program, arguments);
    const bool succeeded = tool.waitForFinished(ToolTimeoutMs)
        && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (ok)
        *ok = succeeded;
    if (!succeeded) {
        qWarning("%s %s failed: %s", qPrintable(program), qPrintable(arguments.join(' ')),
                 tool.readAllStandardError().constData());
        return {};
    }
    return tool.readAllStandardOutput();
}

QJsonDocument swayQuery(const char *type)
{
    return QJsonDocument::fromJson(
        run(QStringLiteral("swaymsg"),
            {QStringLiteral("--raw"), QStringLiteral("-t"), QLatin1String(type)}));
}

QRect rectOf(const QJsonObject &node, const char *name)
{
    const QJsonObject r = node[QLatin1String(name)].toObject();
    return {r[QLatin1String("x")].toInt(), r[QLatin1String("y")].toInt(),
            r[QLatin1String("width")].toInt(), r[QLatin1String("height")].toInt()};
}

// Calls `visit` on every node of sway's tree below `node`, floating ones included.
void walk(const QJsonObject &node, const std::function<void(const QJsonObject &)> &visit)
{
    visit(node);
    for (const char *children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node[QLatin1String(children)].toArray())
            walk(child.toObject(), visit);
    }
}

QString outputName()
{
    return qEnvironmentVariable("ZUBBO_OUTPUT");
}
} // namespace

bool WaylandDesktop::isReady() const
{
    return qEnvironmentVariableIsSet("SWAYSOCK") && !outputName().isEmpty();
}

bool WaylandDesktop::swaymsg(const QString &command)
{
    bool ok = false;
    run(QStringLiteral("swaymsg"), {command}, &ok);
    return ok;
}

// The session output's place in the layout, in logical pixels.
QRect WaylandDesktop::outputArea() const
{
    for (const QJsonValue output : swayQuery("get_outputs").array()) {
        const QJsonObject o = output.toObject();
        if (o[QLatin1String("name")].toString() == outputName())
            return rectOf(o, "rect");
    }
    return {};
}

// Sets the output `name` to show the session output's logical size at `scale`, after
// further `settings` (enable, position).
bool WaylandDesktop::configureOutput(const QString &name, const QString &settings, qreal scale)
{
    const QSize pixels = (QSizeF(outputArea().size()) * scale).toSize();
    return !pixels.isEmpty()
        && swaymsg(QStringLiteral("output %1 %2 resolution %3x%4 scale %5")
                       .arg(name, settings)
                       .arg(pixels.width())
                       .arg(pixels.height())
                       .arg(scale));
}

bool WaylandDesktop::setScale(qreal scale)
{
    return configureOutput(outputName(), {}, scale);
}

QString WaylandDesktop::addOutput(qreal scale)
{
    const auto otherOutputs = [] {
        QStringList names;
        for (const QJsonValue output : swayQuery("get_outputs").array()) {
            const QString name = output.toObject()[QLatin1String("name")].toString();
            if (name != outputName())
                names.append(name);
        }
        return names;
    };
    QStringList names = otherOutputs();
    if (names.isEmpty() && swaymsg(QStringLiteral("create_output")))
        names = otherOutputs();
    if (names.isEmpty())
        return {};
    const QString settings = QStringLiteral("enable position %1 0").arg(outputArea().right() + 1);
    return configureOutput(names.first(), settings, scale) ? names.first() : QString();
}

bool WaylandDesktop::removeOutput(const QString &name)
{
    return swaymsg(QStringLiteral("output %1 disable").arg(name));
}

bool WaylandDesktop::moveWindow(const QString &title, const QString &name)
{
    const ShownWindow shown = window(title);
    return !shown.client.isNull()
        && swaymsg(QStringLiteral("[con_id=%1] move to output %2").arg(shown.id).arg(name));
}

bool WaylandDesktop::moveWindow(const QString &title, const QPoint &offset)
{
    const ShownWindow shown = window(title);
    const auto move = [&shown, this](const char *direction, int distance) {
        return distance == 0
            || swaymsg(QStringLiteral("[con_id=%1] move %2 %3 px")
                           .arg(shown.id)
                           .arg(QLatin1String(direction))
                           .arg(distance));
    };
    return !shown.client.isNull() && move("right", offset.x()) && move("down", offset.y());
}

// sway maps the point through the layout's size in single precision, which may land it just
// short of a whole pixel; a quarter pixel more lands it on the pixel meant.
bool WaylandDesktop::moveTo(const QPoint &point)
{
    constexpr double Quarter = 0.25;
    return swaymsg(QStringLiteral("seat seat0 cursor set %1 %2")
                       .arg(point.x() + Quarter)
                       .arg(point.y() + Quarter));
}

// A person's pointer rests a moment before and after a click: a window that the pointer has
// just entered, or a menu bar item that it leaves at once, may take the click as none.
bool WaylandDesktop::click(const QPoint &point)
{
    if (!moveTo(point))
        return false;
    QTest::qWait(PointerRestMs);
    const bool clicked = press() && release();
    QTest::qWait(PointerRestMs);
    return clicked;
}

bool WaylandDesktop::type(const QStringList &wtypeArguments)
{
    bool ok = false;
    run(QStringLiteral("wtype"), wtypeArguments, &ok);
    return ok;
}

QImage WaylandDesktop::screenshot(const QRect &area) const
{
    const QString geometry = QStringLiteral("%1,%2 %3x%4")
                                 .arg(area.x())
                                 .arg(area.y())
                                 .arg(area.width())
                                 .arg(area.height());
    return QImage::fromData(run(QStringLiteral("grim"),
                                {QStringLiteral("-t"), QStringLiteral("ppm"), QStringLiteral("-g"),
                                 geometry, QStringLiteral("-")}),
                            "PPM")
        .convertToFormat(QImage::Format_RGB32);
}

QList<ShownWindow> WaylandDesktop::windows() const
{
    QList<ShownWindow> found;
    const auto take = [&found](const QJsonObject &node) {
        const QString appId = node[QLatin1String("app_id")].toString();
        if (appId.isEmpty())
            return;
        // The window's rectangle is relative to its container's, which holds the title bar.
        const QRect container = rectOf(node, "rect");
        const QRect window = rectOf(node, "window_rect");
        found.append(
            {node[QLatin1String("name")].toString(), appId, window.translated(container.topLeft()),
             node[QLatin1String("focused")].toBool(), node[QLatin1String("id")].toInteger()});
    };
    walk(swayQuery("get_tree").object(), take);
    return found;
}

ShownWindow WaylandDesktop::window(const QString &title) const
{
    for (const ShownWindow &shown : windows()) {
        if (shown.title == title)
            return shown;
    }
    return {};
}
