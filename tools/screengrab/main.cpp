// Saves a picture of the whole X screen as PNG: used by scripts/run to show what the program looks
// like on a machine without a display (under Xvfb). A name ending in .ppm gives a binary PPM instead,
// which a shell script can read pixel by pixel (tests/e2e).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screengrab FILE.png\n");
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screengrab: no screen\n");
        return 1;
    }
    const QString strFile = QString::fromLocal8Bit(argv[1]);
    const char *format = strFile.endsWith(QLatin1String(".ppm"), Qt::CaseInsensitive) ? "PPM" : "PNG";
    const QPixmap picture = screen->grabWindow(0);
    if (picture.isNull() || !picture.save(strFile, format)) {
        std::fprintf(stderr, "screengrab: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
