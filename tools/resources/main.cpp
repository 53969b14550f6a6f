// tivane_resgen BUILTIN_DIR ICON_DIR: draws the built-in pictures and synthesises the built-in
// sounds into BUILTIN_DIR (the children's pictures into its folder eleves), and the program's
// icon into ICON_DIR as a hicolor theme tree (hicolor/scalable/apps/tivane.svg,
// hicolor/NxN/apps/tivane.png). The output is the same on every run.

#include "AppIcon.h"
#include "Pictures.h"
#include "Sounds.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <functional>

namespace {

const char *const BoldFontFile = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";

bool writeFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QSaveFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "tivane_resgen: cannot write %s: %s\n",
                     qPrintable(QDir::toNativeSeparators(file.fileName())), qPrintable(file.errorString()));
        return false;
    }
    std::printf("%s (%lld bytes)\n", qPrintable(name), static_cast<long long>(bytes.size()));
    return true;
}

bool writePicture(const QDir &dir, const QString &name, const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        std::fprintf(stderr, "tivane_resgen: cannot encode %s\n", qPrintable(name));
        return false;
    }
    return writeFile(dir, name, bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tivane_resgen BUILTIN_DIR ICON_DIR\n");
        return 2;
    }
    const QDir dir(args.at(1));
    if (!dir.exists()) {
        std::fprintf(stderr, "tivane_resgen: no directory %s\n", qPrintable(QDir::toNativeSeparators(args.at(1))));
        return 1;
    }
    const QDir icons(args.at(2));

    const int fontId = QFontDatabase::addApplicationFont(QString::fromLatin1(BoldFontFile));
    const QStringList families = QFontDatabase::applicationFontFamilies(fontId);
    if (fontId < 0 || families.isEmpty()) {
        std::fprintf(stderr, "tivane_resgen: cannot load %s (Debian package fonts-liberation)\n", BoldFontFile);
        return 1;
    }
    const QString bold = families.first();

    const std::pair<const char *, std::function<QImage()>> pictures[] = {
        {"creer.png", Pictures::createGlyph},
        {"jouer.png", Pictures::playGlyph},
        {"instructions.png", Pictures::instructionsGlyph},
        {"n1.png", Pictures::soundOnGlyph},
        {"n2.png", Pictures::soundOffGlyph},
        {"imodele.png", Pictures::modelBadge},
        {"irotation.png", Pictures::rotationBadge},
        {"imontre.png", Pictures::clockBadge},
        {"ianim.png", Pictures::demoPicture},
        {"sp37.png", [&] { return Pictures::questionMark(bold); }},
        {"sp38.png", [&] { return Pictures::logo(bold); }},
        {"sp39.png", [&] { return Pictures::noModelSign(bold); }},
        {"fond_apropos.png", Pictures::aboutBackground},
        {"disc1.png", [&] { return Pictures::stepDisc(1, bold); }},
        {"disc2.png", [&] { return Pictures::stepDisc(2, bold); }},
        {"disc3.png", [&] { return Pictures::stepDisc(3, bold); }},
        {"disc4.png", [&] { return Pictures::stepDisc(4, bold); }},
        {"disc5.png", [&] { return Pictures::stepDisc(5, bold); }},
        {"dossier.png", Pictures::openFolderGlyph},
        {"pasdimage.png", [&] { return Pictures::noPicturePlaceholder(bold); }},
    };
    const std::pair<const char *, std::function<Sounds::Clip()>> sounds[] = {
        {"click1.wav", Sounds::pickUpClick},
        {"click2.wav", Sounds::putDownClick},
        {"gira.wav", Sounds::turnSwish},
        {"CLAP.WAV", Sounds::applause},
    };

    bool ok = true;
    for (const auto &[name, draw] : pictures)
        ok = writePicture(dir, QString::fromLatin1(name), draw()) && ok;
    const QDir pupils(dir.filePath(QStringLiteral("eleves")));
    if (!dir.mkpath(QStringLiteral("eleves")))
        std::fprintf(stderr, "tivane_resgen: cannot make %s\n", qPrintable(QDir::toNativeSeparators(pupils.path())));
    for (const auto &[name, picture] : Pictures::pupilPictures())
        ok = writePicture(pupils, name, picture) && ok;
    for (const auto &[name, synthesise] : sounds)
        ok = writeFile(dir, QString::fromLatin1(name), Sounds::toWav(synthesise())) && ok;

    const auto iconFolder = [&](const QString &size) {
        const QString folder = QStringLiteral("hicolor/%1/apps").arg(size);
        if (!icons.mkpath(folder))
            std::fprintf(stderr, "tivane_resgen: cannot make %s\n", qPrintable(QDir::toNativeSeparators(icons.filePath(folder))));
        return QDir(icons.filePath(folder));
    };
    ok = writeFile(iconFolder(QStringLiteral("scalable")), QStringLiteral("tivane.svg"), AppIcon::svg()) && ok;
    for (const int size : AppIcon::Sizes)
        ok = writePicture(iconFolder(QStringLiteral("%1x%1").arg(size)), QStringLiteral("tivane.png"), AppIcon::png(size)) && ok;
    return ok ? 0 : 1;
}
