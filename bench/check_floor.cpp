// The floor of quz-check's whole-process time: a Qt program that starts as
// quz-check does and reads the same files of a program directory (the two
// banks, every entry of the picture folder, the placeholder, the two notes
// files and the journals kept there), whole, and does nothing with them.
//
// check_floor_gui is the same program linked to Qt GUI as well, as
// quz-check was while it decoded into the picture store's QImage and read
// the placeholder with QImage: what loading Qt GUI alone costs.
//
// Run: <build>/bench/check_floor DIR   (prints the bytes it read)
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifdef QUZ_FLOOR_GUI
#include <QImage>
#endif

#include <cstdio>

namespace {

qint64 readWhole(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().size() : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QDir dir(arguments.value(1, QCoreApplication::applicationDirPath()));
    qint64 bytes = 0;
    for (const char *name : {"vopros.txt", "koment.txt", "emp.bmp", "Help.txt"})
        bytes += readWhole(dir.filePath(QString::fromLatin1(name)));
    bytes += readWhole(dir.filePath(QStringLiteral("Установка!!!.txt")));
    for (const QString &journal : dir.entryList({QStringLiteral("*.quz")}, QDir::Files))
        bytes += readWhole(dir.filePath(journal));
    const QDir pictures(dir.filePath(QStringLiteral("bmp")));
    for (const QString &picture : pictures.entryList(QDir::Files))
        bytes += readWhole(pictures.filePath(picture));
#ifdef QUZ_FLOOR_GUI
    // One call into Qt GUI keeps the library linked.
    bytes += QImage().isNull() ? 0 : 1;
#endif
    std::printf("%lld bytes\n", static_cast<long long>(bytes));
    return 0;
}
