#ifndef LABELLINE_H
#define LABELLINE_H

#include <QWidget>

class QLabel;
class QLineEdit;
class QValidator;

// A label followed by a one-line text field.
class LabelLine : public QWidget
{
    Q_OBJECT

public:
    explicit LabelLine(const QString &strLabel = QString(), const QString &strText = QString(),
                       QWidget *parent = nullptr);

    void setLabelText(const QString &strLabel);
    void setText(const QString &strText);
    void setText(int nValue);
    void setValidator(const QValidator *pValidator);
    // What the field shows now, typing included.
    QString text() const;

private:
    QLabel *m_pLabel;
    QLineEdit *m_pLineEdit;
    QString m_strLabel;
    QString m_strText;
};

#endif // LABELLINE_H
