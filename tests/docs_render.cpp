// Renders the windows to PNG pictures for the documentation, one function per
// window, over a small sample roster:
//   QT_QPA_PLATFORM=offscreen docs_render <output folder>
#include "app/AppDelegate.h"
#include "editor/AttackWindow.h"
#include "editor/RegisterWindow.h"
#include "editor/ResistWindow.h"
#include "roster/CharacterFile.h"
#include "roster/CharacterList.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Sample {
    const char* name;
    const char* file;
    const char* symbol;
    QColor colour;
    double HP, STR, AGI, INT;
};

const Sample kSamples[] = {
    {"剣士アルス", "arus", "剣", QColor(200, 60, 60), 420, 48, 30, 12},
    {"魔法使いリナ", "rina", "魔", QColor(90, 70, 190), 260, 14, 28, 55},
    {"弓使いケイ", "kei", "弓", QColor(40, 150, 90), 310, 30, 50, 20},
    {"僧侶ミオ", "mio", "癒", QColor(220, 160, 40), 290, 18, 26, 44},
};

QImage portrait(const Sample& sample)
{
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(52, 48), 80);
    gradient.setColorAt(0, sample.colour.lighter(160));
    gradient.setColorAt(1, sample.colour.darker(130));
    painter.setBrush(gradient);
    painter.setPen(QPen(sample.colour.darker(180), 4));
    painter.drawEllipse(QRectF(6, 6, 116, 116));
    QFont font = painter.font();
    font.setPixelSize(64);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::fromUtf8(sample.symbol));
    return image;
}

// Writes the sample roster into `base`/data/CharaList.
void writeSampleRoster(const QString& base)
{
    const QString folder = base + "/data/CharaList/";
    QDir().mkpath(folder + "img");
    std::string preset;
    for (const Sample& sample : kSamples) {
        pc::OBJE record;
        pc::InitObje(record);
        record.name = sample.name;
        record.tag = sample.symbol;
        record.fileName = std::string(sample.file) + ".txt";
        record.imageName = std::string(sample.file) + ".png";
        record.baseStatus.HP = sample.HP;
        record.baseStatus.STR = sample.STR;
        record.baseStatus.AGI = sample.AGI;
        record.baseStatus.INT = sample.INT;
        QFile file(folder + QString::fromStdString(record.fileName));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::fromStdString(pc::characterText(record)));
        portrait(sample).save(folder + "img/" + QString::fromStdString(record.imageName), "PNG");
        preset += record.fileName + '\n';
    }
    QFile list(folder + "preset.txt");
    if (list.open(QIODevice::WriteOnly))
        list.write(QByteArray::fromStdString(preset));
}

// One period of every editing controller's timer.
void tick(pc::AppDelegate& app)
{
    app.registerWindow().timerAction2();
    app.characterList().timerAction();
    app.resistWindow().timerAction5();
    app.attackWindow().timerAction6();
}

bool save(QWidget& window, const QString& path)
{
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool renderRoster(pc::AppDelegate& app, const QString& out)
{
    return save(app.characterList(), out + "/roster.png");
}

bool renderEditor(pc::AppDelegate& app, const QString& out)
{
    app.characterList().ClistTVsgl(0);
    app.characterList().ClistTVdbl();
    tick(app);
    const bool saved = save(app.registerWindow(), out + "/editor.png");
    app.registerWindow().cancel();
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: docs_render <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir base;
    writeSampleRoster(base.path());
    pc::AppDelegate app(base.path().toStdString());
    tick(app);
    bool ok = true;
    for (auto* render : {renderRoster, renderEditor})
        ok = render(app, out) && ok;
    return ok ? 0 : 1;
}
