#include "consolecontrol.h"

#include "appstatus.h"
#include "operationframe.h"
#include "presetstore.h"
#include "sceneframe.h"
#include "seriallink.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString json(const QJsonValue &value)
{
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

// What a layout sent through the control port came to, after "OK preset 3" or "OK loaded news.json".
QString outcome(const QString &strWhat, const SpliceScene::LoadResult &result)
{
    if (!SerialLink::theSerialLink()->isConnected())
        return QStringLiteral(
                   "ERR the link was lost: %1 of %2 windows of %3 sent; the picture shows all of them")
            .arg(result.sentCount)
            .arg(result.windowCount)
            .arg(strWhat);
    QString strReply = QStringLiteral("OK %1: %2 window%3")
                           .arg(strWhat)
                           .arg(result.windowCount)
                           .arg(result.windowCount == 1 ? "" : "s");
    if (result.hiddenCount > 0)
        strReply += QStringLiteral(", %1 of them of the splice model not shown").arg(result.hiddenCount);
    return strReply;
}

const char *const noLink = "ERR no link: CONNECT first";

} // namespace

ConsoleControl::ConsoleControl(OperationFrame *pOperation) : m_pOperation(pOperation) {}

// The operator's own work comes first: a dialog or menu open, a drag, a layout going out.
bool ConsoleControl::isBusy() const
{
    return QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
           QApplication::mouseButtons() != Qt::NoButton || m_pOperation->scene()->isSending();
}

QString ConsoleControl::execute(const ControlCommand &command)
{
    SerialLink *link = SerialLink::theSerialLink();
    const QList<int> &numbers = command.numbers;
    switch (command.verb) {
    case ControlCommand::Ping:
        return QStringLiteral("OK videowall " VW_VERSION);
    case ControlCommand::Status:
        return QStringLiteral("OK ") + status();
    case ControlCommand::Presets:
        return QStringLiteral("OK ") + presets();
    case ControlCommand::Connect:
        return connectLink(command.text);
    case ControlCommand::Disconnect:
        link->close();
        return QStringLiteral("OK disconnected");
    case ControlCommand::Preset:
        return recall(numbers.value(0));
    case ControlCommand::PresetSave: {
        QString strError;
        if (!m_pOperation->savePreset(numbers.value(0) - 1, &strError))
            return QStringLiteral("ERR ") + strError;
        return QStringLiteral("OK preset %1 saved").arg(numbers.value(0));
    }
    case ControlCommand::Input:
        if (!link->isConnected())
            return QString::fromLatin1(noLink);
        m_pOperation->switchInput(numbers.value(0));
        return QStringLiteral("OK input ") +
               QStringList{"DP", "HDMI1", "HDMI2", "WIRELESS"}.value(numbers.value(0) - 1);
    case ControlCommand::Reset:
        if (!link->isConnected())
            return QString::fromLatin1(noLink);
        m_pOperation->resetUnits(numbers.value(0));
        return numbers.value(0) == SerialLink::allUnits ? QStringLiteral("OK reset all")
                                                        : QStringLiteral("OK reset %1").arg(numbers.value(0));
    case ControlCommand::Window: {
        QString strError;
        QString strNote;
        const Position pos(numbers.value(1), numbers.value(2), numbers.value(3), numbers.value(4));
        if (!m_pOperation->moveWindow(numbers.value(0), pos, &strError, &strNote))
            return QStringLiteral("ERR ") + strError;
        return QStringLiteral("OK window %1 at %2,%3,%4,%5")
                   .arg(numbers.value(0))
                   .arg(numbers.value(1))
                   .arg(numbers.value(2))
                   .arg(numbers.value(3))
                   .arg(numbers.value(4)) +
               (strNote.isEmpty() ? QString() : QStringLiteral("; ") + strNote);
    }
    case ControlCommand::Load:
        return load(command.text);
    default:
        return QStringLiteral("ERR unknown command");
    }
}

QString ConsoleControl::status() const
{
    const SerialLink *link = SerialLink::theSerialLink();
    const AppStatus *status = AppStatus::theAppStatus();
    const char *const links[] = {"disconnected", "connected", "lost"};
    const char *const types[] = {"landscape", "portrait", "stretch"};
    QJsonObject object;
    object.insert(QStringLiteral("link"), QLatin1String(links[link->state()]));
    object.insert(QStringLiteral("port"),
                  link->state() == SerialLink::Disconnected ? status->currPort() : link->portName());
    object.insert(QStringLiteral("sceneType"), status->sceneType() >= 0 && status->sceneType() <= 2
                                                   ? QLatin1String(types[status->sceneType()])
                                                   : QLatin1String("unknown"));
    object.insert(QStringLiteral("model"),
                  status->isOpenModel() ? QLatin1String("irregular") : QLatin1String("standard"));
    object.insert(QStringLiteral("windows"), m_pOperation->scene()->shownWindowCount());
    object.insert(QStringLiteral("preset"),
                  status->lastPreset() > 0 ? QJsonValue(status->lastPreset()) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("presetChanged"), status->isPresetChanged());
    object.insert(QStringLiteral("busy"), isBusy());
    object.insert(QStringLiteral("differences"),
                  QJsonArray::fromStringList(m_pOperation->scene()->differences()));
    return json(object);
}

QString ConsoleControl::presets() const
{
    QJsonArray list;
    for (int number = 1; number <= PresetStore::count; ++number) {
        const PresetStore::State state = PresetStore::read(number).state;
        QJsonObject preset;
        preset.insert(QStringLiteral("number"), number);
        preset.insert(QStringLiteral("alias"), SceneFrame::presetName(number - 1));
        preset.insert(QStringLiteral("empty"), state == PresetStore::Empty);
        preset.insert(QStringLiteral("damaged"), state == PresetStore::Damaged);
        list.append(preset);
    }
    return json(list);
}

QString ConsoleControl::connectLink(const QString &strPort)
{
    SerialLink *link = SerialLink::theSerialLink();
    // A port named here is used for this connection only; the stored one stays.
    const QString strName = strPort.isEmpty() ? AppStatus::theAppStatus()->currPort() : strPort;
    if (link->isConnected()) {
        if (strPort.isEmpty() || strPort == link->portName())
            return QStringLiteral("OK connected: ") + link->portName();
        return QStringLiteral("ERR connected to %1 already: DISCONNECT first").arg(link->portName());
    }
    if (!link->open(strName))
        return QStringLiteral("ERR %1 did not open: %2").arg(strName, link->errorString());
    return QStringLiteral("OK connected: ") + link->portName();
}

QString ConsoleControl::recall(int nNumber)
{
    const PresetStore::State state = PresetStore::read(nNumber).state;
    if (state == PresetStore::Empty)
        return QStringLiteral("ERR preset %1 is empty").arg(nNumber);
    if (state == PresetStore::Damaged)
        return QStringLiteral("ERR preset %1 is damaged: %2 holds no layout")
            .arg(nNumber)
            .arg(PresetStore::fileName(nNumber));
    // Recalled only where it reaches the wall: otherwise the picture would show what the wall does not.
    if (!SerialLink::theSerialLink()->isConnected())
        return QString::fromLatin1(noLink);
    const SpliceScene::LoadResult result = m_pOperation->recallPreset(nNumber - 1);
    if (!result.isLoaded)
        return QStringLiteral("ERR ") + result.strError;
    return outcome(QStringLiteral("preset %1").arg(nNumber), result);
}

QString ConsoleControl::load(const QString &strName)
{
    // The parser let no path through: the name is a file of the working folder, where the presets live.
    const QString strFile = QDir::current().filePath(strName);
    if (!QFileInfo(strFile).isFile())
        return QStringLiteral("ERR no such layout file: ") + strName;
    if (!SerialLink::theSerialLink()->isConnected())
        return QString::fromLatin1(noLink);
    const SpliceScene::LoadResult result = m_pOperation->loadLayout(strFile);
    if (!result.isLoaded)
        return QStringLiteral("ERR %1 holds no wall layout").arg(strName);
    return outcome(QStringLiteral("loaded ") + strName, result);
}
