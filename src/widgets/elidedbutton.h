#ifndef ELIDEDBUTTON_H
#define ELIDEDBUTTON_H

#include <QPushButton>

// A push button whose one-line text ends with "…" where the room runs out; fullText() keeps it whole.
class ElidedButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ElidedButton(QWidget *parent = nullptr);

    void setFullText(const QString &strText);
    QString fullText() const { return m_strText; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString m_strText;
};

#endif // ELIDEDBUTTON_H
