// Draws the picture assets of the program (title-bar buttons, arrows, logo) into resources/images.
// Run it after changing a drawing and commit the PNG files: the build itself never runs it.
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

QString g_outDir;

void save(const QString &name, int w, int h, const std::function<void(QPainter &)> &draw)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    image.save(g_outDir + QLatin1Char('/') + name, "PNG");
}

QPen glyphPen(const QColor &c, qreal width = 1.6)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Title-bar glyphs are white on the dark bar; the hover form is fully opaque, the normal one a bit dimmer.
void titleButtons()
{
    const QColor normal(236, 239, 241, 215);
    const QColor hover(255, 255, 255);
    for (int i = 0; i < 2; ++i) {
        const QColor c = i == 0 ? normal : hover;
        const QString suffix = i == 0 ? QString() : QStringLiteral("_hover");
        save(QStringLiteral("close%1.png").arg(suffix), 20, 20, [&](QPainter &p) {
            p.setPen(glyphPen(c));
            p.drawLine(QPointF(5.5, 5.5), QPointF(14.5, 14.5));
            p.drawLine(QPointF(14.5, 5.5), QPointF(5.5, 14.5));
        });
        save(QStringLiteral("min%1.png").arg(suffix), 20, 20, [&](QPainter &p) {
            p.setPen(glyphPen(c));
            p.drawLine(QPointF(5, 10.5), QPointF(15, 10.5));
        });
        save(QStringLiteral("max%1.png").arg(suffix), 20, 20, [&](QPainter &p) {
            p.setPen(glyphPen(c, 1.4));
            p.drawRect(QRectF(5.2, 5.2, 9.6, 9.6));
            p.drawLine(QPointF(5.2, 6.4), QPointF(14.8, 6.4));
        });
        save(QStringLiteral("restore%1.png").arg(suffix), 20, 20, [&](QPainter &p) {
            p.setPen(glyphPen(c, 1.3));
            p.drawRect(QRectF(4.5, 7.5, 8, 8));
            QPainterPath back;
            back.moveTo(7.5, 7.5);
            back.lineTo(7.5, 4.5);
            back.lineTo(15.5, 4.5);
            back.lineTo(15.5, 12.5);
            back.lineTo(12.5, 12.5);
            p.drawPath(back);
        });
        save(QStringLiteral("menu%1.png").arg(suffix), 20, 20, [&](QPainter &p) {
            p.setPen(glyphPen(c));
            for (double y : {6.0, 10.0, 14.0})
                p.drawLine(QPointF(5, y), QPointF(15, y));
        });
    }
}

void comboArrows()
{
    const QColor c(96, 108, 118);
    save(QStringLiteral("ComboBoxArrowsDown.png"), 12, 12, [&](QPainter &p) {
        p.setPen(glyphPen(c, 1.5));
        p.drawPolyline(QPolygonF({QPointF(2.5, 4.5), QPointF(6, 8), QPointF(9.5, 4.5)}));
    });
    save(QStringLiteral("ComboBoxArrowsUp.png"), 12, 12, [&](QPainter &p) {
        p.setPen(glyphPen(c, 1.5));
        p.drawPolyline(QPolygonF({QPointF(2.5, 7.5), QPointF(6, 4), QPointF(9.5, 7.5)}));
    });
}

// Spin-box buttons sit on the sides of the field: "direction" points right (up), "directionleft" left.
void spinArrows()
{
    const QColor base(44, 128, 226);
    const QColor pressed(27, 112, 211);
    for (int i = 0; i < 2; ++i) {
        const QColor fill = i == 0 ? base : pressed;
        const QString suffix = i == 0 ? QString() : QStringLiteral("_pressed");
        for (int dir = 0; dir < 2; ++dir) {
            const QString name = (dir == 0 ? QStringLiteral("direction%1.png") : QStringLiteral("directionleft%1.png")).arg(suffix);
            save(name, 20, 22, [&](QPainter &p) {
                p.setPen(Qt::NoPen);
                p.setBrush(fill);
                p.drawRoundedRect(QRectF(0.5, 0.5, 19, 21), 3, 3);
                p.setPen(glyphPen(Qt::white, 1.8));
                if (dir == 0)
                    p.drawPolyline(QPolygonF({QPointF(8, 6.5), QPointF(12.5, 11), QPointF(8, 15.5)}));
                else
                    p.drawPolyline(QPolygonF({QPointF(12, 6.5), QPointF(7.5, 11), QPointF(12, 15.5)}));
            });
        }
    }
}

// A stylised wall of 3 x 2 display units with one window spanning four of them.
void logo()
{
    save(QStringLiteral("LOGO.png"), 64, 64, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(44, 128, 226));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        const double cw = 14, ch = 12, x0 = 11, y0 = 18, gap = 2;
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 3; ++c) {
                const bool lit = c < 2;
                p.setBrush(lit ? QColor(255, 255, 255) : QColor(255, 255, 255, 120));
                p.drawRect(QRectF(x0 + c * (cw + gap), y0 + r * (ch + gap), cw, ch));
            }
        }
        p.setBrush(QColor(126, 194, 66));
        p.drawRect(QRectF(x0 + 3, y0 + 3, 2 * cw + gap - 6, 2 * ch + gap - 6));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(26, 46, 12, 3));
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    g_outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/images");
    QDir().mkpath(g_outDir);
    titleButtons();
    comboArrows();
    spinArrows();
    logo();
    return 0;
}
