#ifndef COMBOBUTTON_H
#define COMBOBUTTON_H

#include <QWidget>

class QComboBox;
class QPushButton;

// A drop-down list with a button beside it that applies the choice.
class ComboButton : public QWidget
{
    Q_OBJECT

public:
    explicit ComboButton(QWidget *parent = nullptr);

    void setButtonText(const QString &strText);
    void addItems(const QStringList &items);
    void addItem(const QString &strItem);
    void setItemText(int index, const QString &strText);
    void setCurrentIndex(int index);
    void setCurrentText(const QString &strText);
    int currentIndex() const;
    QString currentText() const;

signals:
    void clicked(bool checked = false);

private:
    QComboBox *m_pComboBox;
    QPushButton *m_pButton;
};

#endif // COMBOBUTTON_H
