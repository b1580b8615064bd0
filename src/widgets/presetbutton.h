#ifndef PRESETBUTTON_H
#define PRESETBUTTON_H

#include <QPushButton>

// A button of the preset strip. It tells whether Ctrl was held when it was clicked, and asks for its tool
// tip only when one is about to show, so that the strip draws the preset's picture lazily.
class PresetButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PresetButton(QWidget *parent = nullptr);

    bool wasCtrlHeld() const { return m_isCtrlHeld; }

signals:
    // Asked just before the tool tip shows; a receiver sets it with setToolTip().
    void toolTipWanted();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_isCtrlHeld = false;
};

#endif // PRESETBUTTON_H
