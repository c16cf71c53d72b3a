// Renders the program's SVG icon into a square picture of the given size, a PNG for the icon
// theme's fixed-size folders or an .ico for Windows, as the output's name ends:
// kotohana_rendericon ICON.svg SIZE OUT.png|OUT.ico
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fputs("usage: kotohana_rendericon ICON.svg SIZE OUT.png|OUT.ico\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    bool sizeRead = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeRead);
    if (!renderer.isValid() || !sizeRead || size <= 0) {
        std::fprintf(stderr, "kotohana_rendericon: cannot render %s at %s pixels\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "kotohana_rendericon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
