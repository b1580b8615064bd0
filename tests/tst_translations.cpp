// The translation sources against the code and the compiled translations: every text of the code is in
// both sources, both sources hold the same texts, and the built .qm files translate each of them.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// A text as the translator looks it up: its context and its source.
using Message = QPair<QString, QString>;

const char *const languages[] = {"zh-cn", "zh-tw"};

QString tsPath(const QString &strLang)
{
    return QStringLiteral(VW_SOURCE_DIR "/langs/%1.ts").arg(strLang);
}

QString qmPath(const QString &strLang)
{
    return QStringLiteral(VW_BUILD_LANGS_DIR "/%1.qm").arg(strLang);
}

QString quoted(const Message &message)
{
    return message.first + QLatin1String(": \"") + message.second + QLatin1Char('"');
}

// The (context, source) pairs of one .ts file, in file order.
QList<Message> readTs(const QString &strFile)
{
    QList<Message> messages;
    QFile file(strFile);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            messages << Message(context, xml.readElementText());
    }
    if (xml.hasError())
        qWarning() << strFile << xml.errorString();
    return messages;
}

QString unescapeC(const QString &strLiteral)
{
    QString text;
    for (int i = 0; i < strLiteral.size(); ++i) {
        QChar c = strLiteral.at(i);
        if (c == QLatin1Char('\\') && i + 1 < strLiteral.size()) {
            c = strLiteral.at(++i);
            if (c == QLatin1Char('n'))
                c = QLatin1Char('\n');
            else if (c == QLatin1Char('t'))
                c = QLatin1Char('\t');
        }
        text += c;
    }
    return text;
}

// The texts of one source file: tr("...") takes the class of the function definition it stands in,
// translate("Context", "...") and QT_TRANSLATE_NOOP("Context", "...") name theirs.
QList<Message> scanSource(const QString &strCode)
{
    static const QRegularExpression definition(
        QStringLiteral("^(?=[A-Za-z_])[^;{}()\\n]*?\\b(\\w+)::~?\\w+\\s*\\("),
        QRegularExpression::MultilineOption);
    static const QRegularExpression trCall(QStringLiteral("\\btr\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\""));
    static const QRegularExpression contextCall(QStringLiteral(
        "\\b(?:translate|QT_TRANSLATE_NOOP)\\(\\s*\"(\\w+)\"\\s*,\\s*\"((?:[^\"\\\\]|\\\\.)*)\""));
    QList<Message> messages;
    auto it = trCall.globalMatch(strCode);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        QString context;
        auto defs = definition.globalMatch(strCode.left(match.capturedStart()));
        while (defs.hasNext())
            context = defs.next().captured(1);
        messages << Message(context, unescapeC(match.captured(1)));
    }
    it = contextCall.globalMatch(strCode);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        messages << Message(match.captured(1), unescapeC(match.captured(2)));
    }
    return messages;
}

QStringList placeholders(const QString &strText)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QStringList found;
    auto it = marker.globalMatch(strText);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void compiledTranslations_data();
    void compiledTranslations();
    void sourcesAgree();
    void codeTextsInSources();
};

void TestTranslations::compiledTranslations_data()
{
    QTest::addColumn<QString>("lang");
    for (const char *lang : languages)
        QTest::newRow(lang) << QString::fromLatin1(lang);
}

// Each text of the .ts file comes out of the built .qm translated, with the placeholders that arg() fills.
void TestTranslations::compiledTranslations()
{
    QFETCH(QString, lang);
    const QList<Message> messages = readTs(tsPath(lang));
    QVERIFY2(!messages.isEmpty(), qPrintable(tsPath(lang)));
    QTranslator translator;
    QVERIFY2(translator.load(qmPath(lang)), qPrintable(qmPath(lang)));
    QStringList faults;
    for (const Message &message : messages) {
        const QString translation =
            translator.translate(message.first.toUtf8().constData(), message.second.toUtf8().constData());
        if (translation.isEmpty() || (translation.trimmed().isEmpty() && !message.second.trimmed().isEmpty()))
            faults << QLatin1String("untranslated ") + quoted(message);
        else if (placeholders(translation) != placeholders(message.second))
            faults << QLatin1String("placeholders differ ") + quoted(message) + QLatin1String(" -> ") +
                          translation;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestTranslations::sourcesAgree()
{
    const QList<Message> cn = readTs(tsPath(QStringLiteral("zh-cn")));
    const QList<Message> tw = readTs(tsPath(QStringLiteral("zh-tw")));
    const QSet<Message> cnSet(cn.begin(), cn.end());
    const QSet<Message> twSet(tw.begin(), tw.end());
    QStringList faults;
    for (const Message &message : cnSet - twSet)
        faults << QLatin1String("only in zh-cn: ") + quoted(message);
    for (const Message &message : twSet - cnSet)
        faults << QLatin1String("only in zh-tw: ") + quoted(message);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

// A text added to the code without running update-translations and translating it fails here.
void TestTranslations::codeTextsInSources()
{
    const QList<Message> tsMessages = readTs(tsPath(QStringLiteral("zh-cn")));
    const QSet<Message> known(tsMessages.begin(), tsMessages.end());
    QStringList faults;
    int nFound = 0;
    QDirIterator files(QStringLiteral(VW_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        for (const Message &message : scanSource(QString::fromUtf8(file.readAll()))) {
            ++nFound;
            if (!known.contains(message))
                faults << file.fileName().section(QLatin1Char('/'), -2) + QLatin1String(": ") +
                              quoted(message);
        }
    }
    QVERIFY2(nFound > 0, "no tr() texts found in src/");
    QVERIFY2(faults.isEmpty(),
             qPrintable(QLatin1String("not in the .ts files:\n") + faults.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
