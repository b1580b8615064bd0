#include "sceneframe.h"

#include "appstatus.h"
#include "presetbutton.h"
#include "presetstore.h"
#include "settingaliasdlg.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

// Presets 1 to 12 are also on the function keys.
const int keyCount = 12;
const int buttonWidth = 90;

// The wall with the preset's windows as outlines and addresses, as wide as the tool tip needs.
QByteArray layoutPicture(const QList<WndRecord> &windows)
{
    const AppStatus *status = AppStatus::theAppStatus();
    const double wallWidth = 6.0 * status->unitWidth();
    const double wallHeight = 6.0 * status->unitHeight();
    const double scale = 160.0 / qMax(wallWidth, wallHeight);
    QImage image(int(wallWidth * scale) + 1, int(wallHeight * scale) + 1, QImage::Format_RGB32);
    image.fill(QColor(142, 142, 142));
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    for (const WndRecord &window : windows) {
        const QRectF rect(window.x * scale, window.y * scale, window.width * scale, window.height * scale);
        if (!rect.isValid() || !image.rect().intersects(rect.toAlignedRect()))
            continue;
        painter.fillRect(rect, window.type == 1 ? QColor(126, 194, 66) : QColor(218, 218, 218));
        painter.setPen(QColor(84, 84, 84));
        painter.drawRect(rect);
        if (window.address >= 0)
            painter.drawText(rect, Qt::AlignCenter, QString::number(window.address));
    }
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// A text field has the keys: the function keys are not taken from it.
bool isTyping()
{
    QWidget *pFocus = QApplication::focusWidget();
    auto *pCombo = qobject_cast<QComboBox *>(pFocus);
    return qobject_cast<QLineEdit *>(pFocus) || qobject_cast<QAbstractSpinBox *>(pFocus) ||
           (pCombo && pCombo->isEditable());
}

} // namespace

SceneFrame::SceneFrame(QWidget *parent) : QFrame(parent)
{
    for (int i = 0; i < buttonCount; ++i) {
        m_states << QString();
        m_tips << QString();
    }
    initLayout();
    initMenu();
    initKeys();
    setProperty("class", "SceneFrame");
    // Whether a preset's file holds a layout is read once the window shows; until then a file is a layout.
    for (int i = 0; i < buttonCount; ++i) {
        m_states[i] = PresetStore::exists(i + 1) ? QStringLiteral("valid") : QStringLiteral("empty");
        showButton(i);
    }
    retranslate();
}

QString SceneFrame::presetName(int nID)
{
    const QString strAlias = AppStatus::theAppStatus()->sceneAlias(nID);
    // The settings file keeps its key name as the default alias.
    if (strAlias.trimmed().isEmpty() || strAlias == QString::asprintf("SceneAlias%02d", nID + 1))
        return tr("Preset %1").arg(nID + 1);
    return strAlias;
}

void SceneFrame::initLayout()
{
    m_pGroupBox = new QGroupBox;
    auto *pGrid = new QGridLayout;
    pGrid->setSpacing(6);
    // Two columns of eight, numbered down the first column and then the second.
    for (int i = 0; i < buttonCount; ++i) {
        auto *pButton = new PresetButton;
        pButton->setFixedWidth(buttonWidth);
        connect(pButton, &QPushButton::clicked, this, [this, i] { slotClicked(i); });
        connect(pButton, &PresetButton::toolTipWanted, this, [this, i] { showToolTip(i); });
        connect(pButton, &QWidget::customContextMenuRequested, this,
                [this, i](const QPoint &pos) { openMenu(i, m_buttons.at(i)->mapToGlobal(pos)); });
        pGrid->addWidget(pButton, i % (buttonCount / 2), i / (buttonCount / 2));
        m_buttons.append(pButton);
    }
    m_pHintLabel = new QLabel;
    m_pHintLabel->setWordWrap(true);
    auto *pInner = new QVBoxLayout;
    pInner->addLayout(pGrid);
    pInner->addWidget(m_pHintLabel);
    pInner->addStretch(1);
    m_pGroupBox->setLayout(pInner);

    // Two buttons wide, whatever the language: the hint wraps.
    setFixedWidth(2 * buttonWidth + 40);
    auto *pOuter = new QVBoxLayout;
    pOuter->setSpacing(0);
    pOuter->setContentsMargins(0, 0, 0, 0);
    pOuter->addWidget(m_pGroupBox);
    setLayout(pOuter);
}

void SceneFrame::initMenu()
{
    m_pMenu = new QMenu(this);
    m_pSaveAction = m_pMenu->addAction(QString(), this, [this] { save(m_menuID); });
    m_pRenameAction = m_pMenu->addAction(QString(), this, [this] { slotRightClicked(m_menuID); });
    m_pClearAction = m_pMenu->addAction(QString(), this, [this] { clear(m_menuID); });
}

void SceneFrame::initKeys()
{
    for (int i = 0; i < keyCount; ++i) {
        auto *pKey = new QAction(this);
        pKey->setShortcut(QKeySequence(Qt::Key_F1 + i));
        pKey->setShortcutContext(Qt::WindowShortcut);
        // A held key recalls once.
        pKey->setAutoRepeat(false);
        connect(pKey, &QAction::triggered, this, [this, i] {
            if (!isTyping())
                recall(i);
        });
        addAction(pKey);
        m_keys.append(pKey);
    }
}

void SceneFrame::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (!m_isRefreshed) {
        m_isRefreshed = true;
        QTimer::singleShot(0, this, &SceneFrame::refresh);
    }
}

void SceneFrame::refresh()
{
    for (int i = 0; i < buttonCount; ++i) {
        const PresetStore::State state = PresetStore::read(i + 1).state;
        m_states[i] = state == PresetStore::Valid     ? QStringLiteral("valid")
                      : state == PresetStore::Damaged ? QStringLiteral("damaged")
                                                      : QStringLiteral("empty");
        m_tips[i].clear();
        showButton(i);
    }
}

void SceneFrame::showButton(int nID)
{
    PresetButton *pButton = m_buttons.at(nID);
    const AppStatus *status = AppStatus::theAppStatus();
    const bool isCurrent = status->lastPreset() == nID + 1;
    const QString strText =
        presetName(nID) + (isCurrent && status->isPresetChanged() ? QStringLiteral(" *") : "");
    // Measured in the style sheet's font.
    pButton->ensurePolished();
    // The style sheet pads a preset button by 4 pixels a side.
    const int room = buttonWidth - 12;
    pButton->setText(pButton->fontMetrics().elidedText(strText, Qt::ElideRight, room));
    // The style sheet greys an empty preset, reddens a damaged one and rims the current one.
    if (pButton->property("preset").toString() != m_states.at(nID) ||
        pButton->property("current").toBool() != isCurrent) {
        pButton->setProperty("preset", m_states.at(nID));
        pButton->setProperty("current", isCurrent);
        pButton->style()->unpolish(pButton);
        pButton->style()->polish(pButton);
    }
    // The whole tool tip, with the layout's picture, is made when it is first shown.
    pButton->setToolTip(m_tips.at(nID).isEmpty() ? presetName(nID) : m_tips.at(nID));
}

void SceneFrame::showToolTip(int nID)
{
    if (m_tips.at(nID).isEmpty()) {
        const PresetStore::Preset preset = PresetStore::read(nID + 1);
        QString strTip = QStringLiteral("<p><b>%1</b>").arg(presetName(nID).toHtmlEscaped());
        if (nID < keyCount)
            strTip += QStringLiteral(" (F%1)").arg(nID + 1);
        strTip += QStringLiteral("</p>");
        if (preset.state == PresetStore::Empty) {
            strTip += QStringLiteral("<p>%1</p>").arg(tr("Empty: Ctrl+click stores the wall here."));
        } else if (preset.state == PresetStore::Damaged) {
            strTip += QStringLiteral("<p>%1</p>")
                          .arg(tr("Damaged: %1 holds no layout. Ctrl+click stores the wall here.")
                                   .arg(PresetStore::fileName(nID + 1)));
        } else {
            strTip += QStringLiteral("<p><img src=\"data:image/png;base64,%1\"></p><p>%2<br>%3</p>")
                          .arg(QString::fromLatin1(layoutPicture(preset.windows).toBase64()),
                               tr("%1 windows").arg(preset.windows.size()),
                               tr("Saved %1").arg(QLocale().toString(preset.saved, QLocale::ShortFormat)));
        }
        m_tips[nID] = strTip;
    }
    m_buttons.at(nID)->setToolTip(m_tips.at(nID));
}

void SceneFrame::openMenu(int nID, const QPoint &pos)
{
    m_menuID = nID;
    m_pClearAction->setEnabled(m_states.at(nID) != QStringLiteral("empty"));
    m_pMenu->exec(pos);
}

void SceneFrame::slotClicked(int nID)
{
    if (m_buttons.at(nID)->wasCtrlHeld())
        save(nID);
    else
        recall(nID);
}

void SceneFrame::recall(int nID)
{
    if (nID < 0 || nID >= buttonCount)
        return;
    const PresetStore::State state = PresetStore::read(nID + 1).state;
    if (state == PresetStore::Empty)
        return;
    if (state == PresetStore::Damaged) {
        m_states[nID] = QStringLiteral("damaged");
        showButton(nID);
        QMessageBox::warning(
            window(), tr("Presets"),
            tr("%1 cannot be recalled: %2 is damaged or holds no window. The wall is unchanged.")
                .arg(presetName(nID), PresetStore::fileName(nID + 1)));
        return;
    }
    emit loadModel(nID);
}

void SceneFrame::save(int nID)
{
    if (nID < 0 || nID >= buttonCount)
        return;
    if (PresetStore::exists(nID + 1) &&
        QMessageBox::question(window(), tr("Presets"),
                              tr("Replace the layout in %1 with the wall as it is now?").arg(presetName(nID)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    emit saveModel(nID);
}

void SceneFrame::clear(int nID)
{
    if (nID < 0 || nID >= buttonCount || !PresetStore::exists(nID + 1))
        return;
    if (QMessageBox::question(window(), tr("Presets"),
                              tr("Clear %1? Its layout file %2 is removed.")
                                  .arg(presetName(nID), PresetStore::fileName(nID + 1)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!PresetStore::remove(nID + 1)) {
        QMessageBox::warning(window(), tr("Presets"),
                             tr("%1 could not be removed.").arg(PresetStore::fileName(nID + 1)));
        return;
    }
    AppStatus *status = AppStatus::theAppStatus();
    if (status->lastPreset() == nID + 1)
        status->setLastPreset(0, false);
    m_states[nID] = QStringLiteral("empty");
    m_tips[nID].clear();
    showButton(nID);
}

void SceneFrame::slotRightClicked(int nID)
{
    if (nID < 0 || nID >= m_buttons.size())
        return;
    if (!m_pAliasDlg)
        m_pAliasDlg = new SettingAliasDlg(nullptr);
    m_pAliasDlg->setDefault(tr("Preset %1").arg(nID + 1));
    m_pAliasDlg->setAlias(presetName(nID));
    if (m_pAliasDlg->exec() != QDialog::Accepted)
        return;
    AppStatus::theAppStatus()->setSceneAlias(nID, m_pAliasDlg->alias().trimmed());
    m_tips[nID].clear();
    showButton(nID);
}

void SceneFrame::onPresetRecalled(int nID)
{
    const int previous = AppStatus::theAppStatus()->lastPreset() - 1;
    AppStatus::theAppStatus()->setLastPreset(nID + 1, false);
    if (previous >= 0)
        showButton(previous);
    showButton(nID);
}

void SceneFrame::onPresetSaved(int nID)
{
    m_states[nID] = QStringLiteral("valid");
    m_tips[nID].clear();
    onPresetRecalled(nID);
}

void SceneFrame::onWallEdited()
{
    AppStatus *status = AppStatus::theAppStatus();
    if (status->lastPreset() == 0 || status->isPresetChanged())
        return;
    status->setLastPreset(status->lastPreset(), true);
    showButton(status->lastPreset() - 1);
}

void SceneFrame::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void SceneFrame::retranslate()
{
    m_pGroupBox->setTitle(tr("Presets"));
    m_pHintLabel->setText(tr("Click: recall. Ctrl+click: store the wall."));
    m_pSaveAction->setText(tr("Save here"));
    m_pRenameAction->setText(tr("Rename"));
    m_pClearAction->setText(tr("Clear"));
    for (int i = 0; i < buttonCount; ++i) {
        m_tips[i].clear();
        showButton(i);
    }
}
