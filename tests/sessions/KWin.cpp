#include "sessions/KWin.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QThread>
#include <QUuid>

#include <unistd.h>

namespace kwin {
namespace {

const QString kService = QStringLiteral("org.kde.KWin");

// Runs a script in KWin and returns the lines it printed after `marker`, once it printed `end`.
QStringList RunScript(const QString& body) {
    const QString token = QUuid::createUuid().toString(QUuid::Id128);
    QTemporaryFile script;
    if (!script.open()) return {};
    // KWin 5 lists clients, KWin 6 windows.
    script.write(QStringLiteral("var token = '%1';\n"
                                "var all = workspace.windowList ? workspace.windowList()"
                                " : workspace.clientList();\n%2\nprint('KIMORO-END ' + token);\n")
                     .arg(token, body)
                     .toUtf8());
    script.close();
    QDBusInterface scripting(kService, QStringLiteral("/Scripting"),
                             QStringLiteral("org.kde.kwin.Scripting"));
    const QDBusReply<int> id =
        scripting.call(QStringLiteral("loadScript"), script.fileName(), token);
    if (!id.isValid() || id.value() < 0) return {};
    // KWin 5 publishes a loaded script at /N, KWin 6 at /Scripting/ScriptN.
    for (const QString& path : {QStringLiteral("/Scripting/Script%1"), QStringLiteral("/%1")}) {
        QDBusInterface loaded(kService, path.arg(id.value()),
                              QStringLiteral("org.kde.kwin.Script"));
        if (loaded.call(QStringLiteral("run")).type() == QDBusMessage::ReplyMessage) break;
    }
    QStringList said;
    QFile log(qEnvironmentVariable("KIMORO_SESSION_LOG"));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        said.clear();
        bool ended = false;
        if (log.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : log.readAll().split('\n')) {
                const QString text = QString::fromUtf8(line);
                if (text.contains(QStringLiteral("KIMORO-END ") + token)) ended = true;
                const qsizetype at = text.indexOf(token + QLatin1Char(' '));
                if (at >= 0 && !ended) said << text.mid(at + token.size() + 1);
            }
            log.close();
        }
        if (ended) break;
        QThread::msleep(20);
    }
    scripting.call(QStringLiteral("unloadScript"), token);
    return said;
}

}  // namespace

bool Runs() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value();
}

std::vector<Window> WindowsOf(qint64 pid) {
    const QStringList lines = RunScript(
        QStringLiteral("all.forEach(function (w) { print(token + ' ' + JSON.stringify({"
                       " id: String(w.internalId), caption: w.caption, pid: w.pid,"
                       " width: w.bufferGeometry.width, height: w.bufferGeometry.height,"
                       " modal: w.modal, transient: w.transient, skipTaskbar: w.skipTaskbar,"
                       " minimized: w.minimized, active: w.active, closeable: w.closeable,"
                       " minimizable: w.minimizable, maximizable: w.maximizable })); });"));
    std::vector<Window> windows;
    for (const QString& line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (o.value(QStringLiteral("pid")).toInteger() != pid) continue;
        auto flag = [&](const char* name) { return o.value(QLatin1String(name)).toBool(); };
        windows.push_back(
            {o.value(QStringLiteral("id")).toString(),
             o.value(QStringLiteral("caption")).toString(), pid,
             o.value(QStringLiteral("width")).toInt(), o.value(QStringLiteral("height")).toInt(),
             flag("modal"), flag("transient"), flag("skipTaskbar"), flag("minimized"),
             flag("active"), flag("closeable"), flag("minimizable"), flag("maximizable")});
    }
    return windows;
}

void Do(const Window& window, const QString& action) {
    static const QMap<QString, QString> kActions = {
        {QStringLiteral("close"), QStringLiteral("w.closeWindow();")},
        {QStringLiteral("minimize"), QStringLiteral("w.minimized = true;")},
        {QStringLiteral("activate"),
         QStringLiteral("if ('activeWindow' in workspace) workspace.activeWindow = w;"
                        " else workspace.activeClient = w;")}};
    RunScript(
        QStringLiteral("all.forEach(function (w) { if (String(w.internalId) == '%1') { %2 } });")
            .arg(window.id, kActions.value(action)));
}

bool Screenshot(const QString& path) {
    int pipe[2];
    if (::pipe(pipe) != 0) return false;
    QDBusInterface screenshots(kService, QStringLiteral("/org/kde/KWin/ScreenShot2"),
                               QStringLiteral("org.kde.KWin.ScreenShot2"));
    const QDBusMessage reply =
        screenshots.call(QStringLiteral("CaptureArea"), 0, 0, 1024u, 768u, QVariantMap{},
                         QVariant::fromValue(QDBusUnixFileDescriptor(pipe[1])));
    ::close(pipe[1]);
    QFile raw;
    raw.open(pipe[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray pixels = raw.readAll();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    const QVariantMap image = qdbus_cast<QVariantMap>(reply.arguments().first());
    const QImage shot(reinterpret_cast<const uchar*>(pixels.constData()),
                      image.value(QStringLiteral("width")).toInt(),
                      image.value(QStringLiteral("height")).toInt(),
                      image.value(QStringLiteral("stride")).toInt(),
                      static_cast<QImage::Format>(image.value(QStringLiteral("format")).toInt()));
    return !shot.isNull() && shot.save(path);
}

}  // namespace kwin
