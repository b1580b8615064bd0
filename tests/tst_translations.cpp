// The translations: both sources hold the same texts, every text of the code is in them, and the built
// .qm files translate each one with the same placeholders.
#include "testsupport.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// "context|source" of each message of a .ts file.
QSet<QString> readTs(const QString &strLang)
{
    QFile file(QStringLiteral(VW_SOURCE_DIR "/langs/%1.ts").arg(strLang));
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QSet<QString> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            messages << context + '|' + xml.readElementText();
    }
    return messages;
}

// tr("...") takes the class of the function definition it stands in; Class::tr("...") and
// translate("Context", "...") name it. Adjacent literals are one text.
QSet<QString> codeTexts(const QString &strCode)
{
    static const QRegularExpression definition("^(?=[A-Za-z_])[^;{}()\\n]*?\\b(\\w+)::~?\\w+\\s*\\(",
                                               QRegularExpression::MultilineOption);
    static const QRegularExpression call("\\b(?:(\\w+)::tr\\(|tr\\(|translate\\(\\s*\"(\\w+)\"\\s*,)\\s*"
                                         "((?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+)");
    static const QRegularExpression piece("\"((?:[^\"\\\\]|\\\\.)*)\"");
    QSet<QString> texts;
    auto it = call.globalMatch(strCode);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        QString context = match.captured(1) + match.captured(2);
        auto defs = definition.globalMatch(strCode.left(match.capturedStart()));
        while (context.isEmpty() && defs.hasNext())
            context = defs.next().captured(1);
        QString text;
        for (auto pieces = piece.globalMatch(match.captured(3)); pieces.hasNext();)
            text += pieces.next().captured(1);
        texts << context + '|' + text.replace("\\n", "\n");
    }
    return texts;
}

QStringList placeholders(const QString &strText)
{
    QStringList found;
    for (auto it = QRegularExpression("%\\d+").globalMatch(strText); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextTranslated()
    {
        const QSet<QString> messages = readTs("zh-cn");
        QCOMPARE(readTs("zh-tw"), messages);
        QSet<QString> inCode;
        for (QDirIterator files(VW_SOURCE_DIR "/src", {"*.cpp", "*.h"}, QDir::Files,
                                QDirIterator::Subdirectories);
             files.hasNext();)
            inCode += codeTexts(QString::fromUtf8(vt::readFile(files.next())));
        QVERIFY(inCode.size() > 50);
        QStringList faults = (inCode - messages).values();
        for (const char *lang : {"zh-cn", "zh-tw"}) {
            QTranslator translator;
            QVERIFY(translator.load(VW_BUILD_LANGS_DIR + QStringLiteral("/%1.qm").arg(lang)));
            for (const QString &message : messages) {
                const QString source = message.section('|', 1);
                const QString text =
                    translator.translate(message.section('|', 0, 0).toUtf8(), source.toUtf8());
                if (text.trimmed().isEmpty() != source.trimmed().isEmpty() || text.isEmpty() ||
                    placeholders(text) != placeholders(source))
                    faults << QString(lang) + ": " + message + " -> " + text;
            }
        }
        faults.sort();
        QCOMPARE(faults, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
