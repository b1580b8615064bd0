#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QTranslator>

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

public slots:
    void onChangLang(QString lang);

protected:
    void changeEvent(QEvent *event) override;

private:
    void initLayout();
    void initConnections();
    // Installs the translators of the language; the notice says when its texts were not found.
    void applyLanguage(const QString &strLang);

    QWidget *m_pCentralWidget = nullptr;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
    QString m_strNotice;
    TitleFrame *m_pTitleFrame = nullptr;
    OperationFrame *m_pOperationFrame = nullptr;
};

#endif // MAINWINDOW_H
