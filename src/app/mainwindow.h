#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QLockFile>
#include <QMainWindow>
#include <QTranslator>

#include <memory>

class ConsoleControl;
class ControlServer;
class TitleFrame;
class OperationFrame;

// The frameless top-level window: the title bar above the operation frame, and the translators of the
// program's own texts and of Qt's (message box buttons, the file dialog).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The translation file of a language ("zh-cn.qm"), or an empty string for English.
    static QString translationName(const QString &strLang);
    // Where a translation file is found: the working folder's langs/, then langs/ beside the program, then
    // the installed share/videowall/langs; an empty string when it is nowhere.
    static QString findTranslation(const QString &strName);
    // Top-left corner that centres a window of the given size on the desktop (integer division).
    static QPoint centredPosition(const QRect &desktop, const QSize &size);
    // The file a console holds in its working folder while it runs, so that nothing else sends layouts
    // behind its back.
    static QString lockFileName();

    // Opens the control port at "[ADDRESS:]PORT"; off this machine's own addresses only with a token file.
    // False, with the reason, when it cannot listen.
    bool startControlPort(const QString &strEndpoint, const QString &strTokenFile, QString *pError);
    // A note in the title bar about the control port ("" for none).
    void setControlNotice(const QString &strNotice);

public slots:
    void onChangLang(QString lang);

protected:
    void changeEvent(QEvent *event) override;

private:
    void initLayout();
    void initConnections();
    // Installs the translators of the language; the notice says when its texts were not found.
    void applyLanguage(const QString &strLang);
    void showNotices();

    QWidget *m_pCentralWidget = nullptr;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
    QString m_strNotice;
    QString m_strControlNotice;
    QLockFile m_lock;
    std::unique_ptr<ConsoleControl> m_pControl;
    ControlServer *m_pServer = nullptr;
    TitleFrame *m_pTitleFrame = nullptr;
    OperationFrame *m_pOperationFrame = nullptr;
};

#endif // MAINWINDOW_H
