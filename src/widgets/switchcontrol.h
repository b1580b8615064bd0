#ifndef SWITCHCONTROL_H
#define SWITCHCONTROL_H

#include <QColor>
#include <QTimer>
#include <QWidget>

// An on/off switch drawn as a rounded track with a round thumb that slides to its new end.
class SwitchControl : public QWidget
{
    Q_OBJECT

public:
    explicit SwitchControl(QWidget *parent = nullptr, bool bChecked = false);

    bool isChecked() const { return m_isChecked; }
    // Horizontal centre of the thumb, as it stands in the animation.

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void toggled(bool checked);

public slots:
    void onTimeout();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_isChecked;
    QColor m_background;
    QColor m_checkedColor;
    QColor m_disabledColor;
    QColor m_thumbColor;
    double m_radius;
    qint16 m_thumbHeight;
    qint16 m_margin;
    double m_x;
    double m_y;
    QTimer m_timer;
};

#endif // SWITCHCONTROL_H
