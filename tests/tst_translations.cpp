// The translations: both sources hold the same texts, every text of the code is in them, and the built
// .qm files translate each one with the same placeholders.
#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// "context|source" of each message of a .ts file.
QSet<QString> readTs(const QString &strLang)
{
    QFile file(QDir(VW_SOURCE_DIR "/langs").filePath(strLang + ".ts"));
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
    void initTestCase() { vt::enterFreshDir(); }
    void everyTextTranslated()
    {
        const QSet<QString> messages = readTs("zh-cn");
        QCOMPARE(readTs("zh-tw"), messages);
        // The texts of the code as lupdate, which keeps the sources, finds them.
        QProcess lupdate;
        lupdate.start(VW_LUPDATE, {"-silent", "-locations", "none", VW_SOURCE_DIR "/src", "-ts", "code.ts"});
        QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        const QSet<QString> inCode = readTs(QDir::current().filePath("code"));
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
