#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QTranslator>

class TitleFrame;
class OperationFrame;

// The frameless top-level window: the title bar above the operation frame, and the one translator.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The translation file for a language name, or an empty string for English.
    static QString translationFile(const QString &strLang);
    // Top-left corner that centres a window of the given size on the desktop (integer division).
    static QPoint centredPosition(const QRect &desktop, const QSize &size);

public slots:
    void onChangLang(QString lang);

protected:
    void changeEvent(QEvent *event) override;

private:
    void initLayout();
    void initConnections();

    QWidget *m_pCentralWidget = nullptr;
    QTranslator m_translator;
    TitleFrame *m_pTitleFrame = nullptr;
    OperationFrame *m_pOperationFrame = nullptr;
};

#endif // MAINWINDOW_H
