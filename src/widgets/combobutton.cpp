#include "combobutton.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>

ComboButton::ComboButton(QWidget *parent) : QWidget(parent)
{
    m_pComboBox = new QComboBox(this);
    // A list view lets the style sheet reach the popup's items.
    m_pComboBox->setView(new QListView(m_pComboBox));
    m_pButton = new QPushButton(this);

    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_pComboBox, 3);
    layout->addWidget(m_pButton, 2);

    connect(m_pButton, SIGNAL(clicked(bool)), this, SIGNAL(clicked(bool)));
}

void ComboButton::setButtonText(const QString &strText)
{
    m_pButton->setText(strText);
}

void ComboButton::addItems(const QStringList &items)
{
    m_pComboBox->addItems(items);
}

void ComboButton::addItem(const QString &strItem)
{
    m_pComboBox->addItem(strItem);
}

void ComboButton::setItemText(int index, const QString &strText)
{
    m_pComboBox->setItemText(index, strText);
}

void ComboButton::setCurrentIndex(int index)
{
    m_pComboBox->setCurrentIndex(index);
}

void ComboButton::setCurrentText(const QString &strText)
{
    m_pComboBox->setCurrentText(strText);
}

int ComboButton::currentIndex() const
{
    return m_pComboBox->currentIndex();
}

QString ComboButton::currentText() const
{
    return m_pComboBox->currentText();
}
