#ifndef MARKINGTRANSLATOR_H
#define MARKINGTRANSLATOR_H

#include <QCoreApplication>
#include <QEvent>
#include <QTranslator>

// Turns every text into "context:source", so a test sees which texts were set again after a language
// change, and in which context each was looked up.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QLatin1String(context) + QLatin1Char(':') + QString::fromUtf8(sourceText);
    }

    // Installs or removes the translator and delivers the language change. The application forwards it to
    // every top-level widget in a second posted event.
    void setInstalled(bool bInstalled)
    {
        if (bInstalled)
            QCoreApplication::installTranslator(this);
        else
            QCoreApplication::removeTranslator(this);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
};

#endif // MARKINGTRANSLATOR_H
