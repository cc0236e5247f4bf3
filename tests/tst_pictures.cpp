// The program's pictures: every picture the code names, and every picture the
// program shows, is in the resource bundle and loads; animations move; the
// splash icon is large enough; the picture files, the bundle and the drawings
// the rasters are made from stay in step.

#include "resources/bundle.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QMovie>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QtTest>

namespace {

// Every picture the program shows, by its name under ":/images/". Most are also
// named in the code as literals; the angle sensor's machine pictures are put
// together from a file name at run time, so only this list covers them.
// clang-format off
const char *const kProgramPictures[] = {
    // application icon, splash screen, window backgrounds
    "ico.ico", "fon.svg", "fon_white.svg", "zolmar.png",
    // device buttons: dark theme, light theme
    "fls_new_black.png", "btn_fls_white.svg", "ble_new_black.png", "btn_ble_white.svg", "ble_new_red.png",
    "kv380_new_black.png", "btn_kv380_white.svg", "plm300_new_black.png", "btn_plm300_white.svg",
    "online_new_black.png", "btn_online_white.svg", "btn_n7_black.svg", "btn_n7_white.svg", "qfonline.png", "tag.png",
    // device pictures of the pages
    "ble_small.svg", "ble_small_white.svg", "ble_small_black.svg", "kvble_black_theme.svg", "kvble_white_theme.svg",
    "ble_base.png", "ble_base_small_white_fon.svg", "n7_pic_black.svg", "n7_pic_white.svg",
    // level windows
    "device_fon.png", "device_fon_dark.svg", "device_fon_white.svg", "dev_fon_small.png", "dev_fon_red_small.png",
    // marks and small signs
    "bird.png", "bird_green.png", "n7_bird.png", "lock.png", "unlock.png", "alarm.png", "temp.png",
    "quest_black.svg", "quest_white.svg", "question_white.svg", "quest_pict.png", "encryptLock.svg",
    "temper_pic_white.svg", "temper_pic_black.svg", "bat_pic_white.svg", "bat_pic_black.svg", "rssi_pic_white.svg",
    "rssi_pic_black.svg", "copy_ico.png", "copy_white.svg", "cross.svg", "red_cross.svg", "cross_red.png",
    // arrows
    "arrow.png", "arrow_black.svg", "arrow_combo.png", "down_arrow.svg", "arrow_down_white.svg",
    "arrow_down_black.svg", "arrow_up_white.svg", "arrow_up_black.svg", "white-down-arrow-png-2.png",
    // buttons and tabs
    "ctrl+s.svg", "f2.svg", "f3.svg", "f4.svg", "f4_black.svg", "help_white.svg", "help_black.svg", "graph.svg",
    "gps.svg", "gsm.svg", "rs485.svg", "write_param.png", "emptybtn.png", "fullbtn.png", "tarbtn.png",
    "tarbtn_white.png",
    // angle sensors: master/slave, rotation and test animations
    "m-s.png", "m-s_white_theme.svg", "m-s.gif", "m-s_white_theme.gif", "kvble_horiz_rotation.gif",
    "kvble_horiz_rotation_white_theme.gif", "kvble_vertic_rotation.gif", "kvble_vertic_rotation_white_theme.gif",
    "rr.gif",
    // angle sensor machines by mode: garbage truck, tipper, frequency, blade, bucket
    "kamazUp.png", "kamazMid.png", "kamazDown.png", "kamazUp_white_theme.svg", "kamazMid_white_theme.svg",
    "kamazDown_white_theme.svg", "samos0.png", "samos20.png", "samos40.png", "samos60.png", "samos80.png",
    "samos0_white_theme.svg", "samos20_white_theme.svg", "samos40_white_theme.svg", "samos60_white_theme.svg",
    "samos80_white_theme.svg", "proff.png", "proff_white_theme.svg", "otvalUp.png", "otvalMid.png", "otvalDown.png",
    "otvalUp_white_theme.svg", "otvalMid_white_theme.svg", "otvalDown_white_theme.svg", "exUp.png", "exMid.png",
    "exDown.png", "exUp_white_theme.svg", "exMid_white_theme.svg", "exDown_white_theme.svg",
};
// clang-format on

const QStringList kSourceSuffixes = {"cpp", "h", "hpp", "ui", "qss", "css", "html"};

// The source tree, named by the build.
QString sourceRoot()
{
    return QStringLiteral(SOURCE_ROOT);
}

bool isSkippedDirectory(const QFileInfo &info)
{
    const QString name = info.fileName();
    // Build trees hold generated copies; tests may name missing pictures on purpose.
    return info.isSymLink() || name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1String("build")) ||
           name == QLatin1String("tests") || QFileInfo::exists(info.filePath() + QStringLiteral("/CMakeCache.txt"));
}

// Picture paths named by the program's sources, each with the first place that names it.
void collectPicturePaths(const QString &dirPath, const QDir &root, QMap<QString, QString> &found)
{
    static const QRegularExpression literal(
        QStringLiteral(R"(:/images/[A-Za-z0-9_.+\-]+\.(?:png|svg|gif|ico|jpe?g|bmp)(?![A-Za-z0-9_.+\-]))"),
        QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList entries =
        QDir(dirPath).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : entries) {
        if (info.isDir()) {
            if (!isSkippedDirectory(info))
                collectPicturePaths(info.filePath(), root, found);
            continue;
        }
        if (!kSourceSuffixes.contains(info.suffix().toLower()))
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        auto it = literal.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            const QString path = match.captured(0);
            if (!found.contains(path)) {
                const int line = text.left(match.capturedStart()).count(QLatin1Char('\n')) + 1;
                found.insert(path, root.relativeFilePath(info.filePath()) + QLatin1Char(':') + QString::number(line));
            }
        }
    }
}

bool paintsSomething(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                return true;
        }
    }
    return false;
}

QImage renderSvg(const QString &path)
{
    QSvgRenderer renderer(path);
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

// Empty when the picture is in the bundle and shows; otherwise what is wrong.
QString pictureProblem(const QString &path)
{
    if (!QFile::exists(path))
        return QStringLiteral("not in the resource bundle");
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return QStringLiteral("not a valid SVG drawing");
        if (renderer.defaultSize().isEmpty())
            return QStringLiteral("the drawing has no size");
        if (!paintsSomething(renderSvg(path)))
            return QStringLiteral("the drawing paints nothing");
        return QString();
    }
    QImageReader reader(path);
    const QByteArray format = reader.format();
    const QByteArray expected = suffix == QLatin1String("jpg") ? QByteArray("jpeg") : suffix.toLatin1();
    if (format != expected)
        return QStringLiteral("holds a picture of format \"%1\"").arg(QString::fromLatin1(format));
    if (suffix == QLatin1String("gif")) {
        QMovie movie(path);
        if (!movie.isValid() || !movie.jumpToFrame(0) || movie.currentImage().isNull())
            return QStringLiteral("does not play as a movie");
        if (!paintsSomething(movie.currentImage()))
            return QStringLiteral("the first frame shows nothing");
        return QString();
    }
    const QImage image(path);
    if (image.isNull())
        return QStringLiteral("does not load: %1").arg(reader.errorString());
    if (!paintsSomething(image))
        return QStringLiteral("shows nothing");
    return QString();
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sourcesNamePictures();
    void pictureNamedInTheSourcesLoads_data();
    void pictureNamedInTheSourcesLoads();
    void pictureOfTheProgramLoads_data();
    void pictureOfTheProgramLoads();
    void animationMoves_data();
    void animationMoves();
    void splashIconIsLargeAndHasSmallSizes();
    void levelWindowBackgroundCoversItsLabel_data();
    void levelWindowBackgroundCoversItsLabel();
    void everyPictureFileIsInTheBundle();
    void everyRasterHasItsDrawing();

private:
    QString root;
    QMap<QString, QString> namedInSources;
};

void TestPictures::initTestCase()
{
    initResourceBundle();
    root = sourceRoot();
    if (!root.isEmpty())
        collectPicturePaths(root, QDir(root), namedInSources);
}

void TestPictures::sourcesNamePictures()
{
    QVERIFY2(!root.isEmpty(), "source tree not given by the build");
    // The main window alone loads the splash picture, the marks and the back arrow.
    QVERIFY2(namedInSources.contains(QStringLiteral(":/images/ico.ico")),
             qPrintable(QStringLiteral("scanned %1, found %2 picture paths").arg(root).arg(namedInSources.size())));
    QVERIFY(namedInSources.contains(QStringLiteral(":/images/bird_green.png")));
}

void TestPictures::pictureNamedInTheSourcesLoads_data()
{
    QTest::addColumn<QString>("path");
    for (auto it = namedInSources.cbegin(); it != namedInSources.cend(); ++it)
        QTest::newRow(qPrintable(it.value() + QLatin1Char(' ') + it.key())) << it.key();
    if (namedInSources.isEmpty())
        QTest::newRow("no picture paths found") << QString();
}

void TestPictures::pictureNamedInTheSourcesLoads()
{
    QFETCH(QString, path);
    QVERIFY2(!path.isEmpty(), "no source file names a picture");
    const QString problem = pictureProblem(path);
    QVERIFY2(problem.isEmpty(), qPrintable(path + QStringLiteral(": ") + problem));
}

void TestPictures::pictureOfTheProgramLoads_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : kProgramPictures)
        QTest::newRow(name) << QStringLiteral(":/images/") + QLatin1String(name);
}

void TestPictures::pictureOfTheProgramLoads()
{
    QFETCH(QString, path);
    const QString problem = pictureProblem(path);
    QVERIFY2(problem.isEmpty(), qPrintable(path + QStringLiteral(": ") + problem));
}

void TestPictures::animationMoves_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : kProgramPictures) {
        if (QByteArray(name).endsWith(".gif"))
            QTest::newRow(name) << QStringLiteral(":/images/") + QLatin1String(name);
    }
}

void TestPictures::animationMoves()
{
    QFETCH(QString, path);
    QMovie movie(path);
    QVERIFY(movie.isValid());
    QVERIFY2(movie.frameCount() > 1, qPrintable(QStringLiteral("%1 frame(s)").arg(movie.frameCount())));
    QVERIFY(movie.jumpToFrame(0));
    const QImage first = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
    bool changes = false;
    for (int i = 1; i < movie.frameCount() && !changes; ++i) {
        QVERIFY(movie.jumpToFrame(i));
        const QImage frame = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(frame.size(), first.size());
        changes = frame != first;
    }
    QVERIFY2(changes, "every frame shows the same picture");
}

void TestPictures::splashIconIsLargeAndHasSmallSizes()
{
    // The splash screen shows the icon file's first picture; window icons want the small ones.
    QImageReader reader(QStringLiteral(":/images/ico.ico"));
    QVERIFY2(reader.imageCount() >= 3, qPrintable(QString::number(reader.imageCount())));
    const QImage first(QStringLiteral(":/images/ico.ico"));
    QVERIFY(!first.isNull());
    QVERIFY2(first.width() >= 128 && first.height() >= 128,
             qPrintable(QStringLiteral("%1 x %2").arg(first.width()).arg(first.height())));
    QSet<int> widths;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        widths.insert(image.width());
    }
    QVERIFY(widths.contains(16));
    QVERIFY(widths.contains(32));
}

void TestPictures::levelWindowBackgroundCoversItsLabel_data()
{
    // The level labels are red under their picture, which is centred and not
    // scaled: it must cover the largest of them, 150 x 236, without holes at the edges.
    QTest::addColumn<QString>("path");
    QTest::newRow("dark") << QStringLiteral(":/images/device_fon_dark.svg");
    QTest::newRow("light") << QStringLiteral(":/images/device_fon_white.svg");
    QTest::newRow("dark raster") << QStringLiteral(":/images/device_fon.png");
}

void TestPictures::levelWindowBackgroundCoversItsLabel()
{
    QFETCH(QString, path);
    const QImage image =
        (path.endsWith(QLatin1String(".svg")) ? renderSvg(path) : QImage(path)).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() >= 150 && image.height() >= 236,
             qPrintable(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height())));
    for (int x = 0; x < image.width(); ++x) {
        QCOMPARE(qAlpha(image.pixel(x, 0)), 255);
        QCOMPARE(qAlpha(image.pixel(x, image.height() - 1)), 255);
    }
    for (int y = 0; y < image.height(); ++y) {
        QCOMPARE(qAlpha(image.pixel(0, y)), 255);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, y)), 255);
    }
}

void TestPictures::everyPictureFileIsInTheBundle()
{
    QVERIFY2(!root.isEmpty(), "source tree not found");
    const QDir images(root + QStringLiteral("/resources/images"));
    const QStringList files = images.entryList(QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files) {
        const QString path = QStringLiteral(":/images/") + name;
        QVERIFY2(QFile::exists(path), qPrintable(name + QStringLiteral(" is not listed in resources/resources.qrc")));
        QFile bundled(path);
        QFile onDisk(images.filePath(name));
        QVERIFY(bundled.open(QIODevice::ReadOnly) && onDisk.open(QIODevice::ReadOnly));
        QVERIFY2(bundled.readAll() == onDisk.readAll(), qPrintable(name + QStringLiteral(": bundle is out of date")));
    }
}

void TestPictures::everyRasterHasItsDrawing()
{
    // Raster pictures are made from an SVG drawing by scripts/make-pictures.py.
    QVERIFY2(!root.isEmpty(), "source tree not found");
    const QDir images(root + QStringLiteral("/resources/images"));
    const QStringList rasters =
        images.entryList({QStringLiteral("*.png"), QStringLiteral("*.gif"), QStringLiteral("*.ico")}, QDir::Files);
    QVERIFY(!rasters.isEmpty());
    for (const QString &name : rasters) {
        const QString drawing = images.filePath(QStringLiteral("src/") + name + QStringLiteral(".svg"));
        QVERIFY2(QFileInfo::exists(drawing), qPrintable(name + QStringLiteral(": no drawing ") + drawing));
        QVERIFY2(QSvgRenderer(drawing).isValid(), qPrintable(drawing));
    }
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
