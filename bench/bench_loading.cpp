// Memory and time of loading the program's text files at the size limits:
// the question bank (CR LF, LF-only and blank-line-only files), the install
// notes message text, and a journal file read into lines. The peak memory
// while loading is printed as a multiple of the file's size beside its floor
// (a bank: at most about twice the file).
//
// Run: <build>/bench/bench_loading   (Linux: peak memory from /proc)
#include "core/bank/question_bank.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"

#include "bench_timing.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

QByteArray shaped(const QByteArray &line, qint64 size)
{
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() + line.size() <= size)
        bytes += line;
    return bytes;
}

} // namespace

class BenchLoading : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
};

void BenchLoading::load_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<double>("floor");
    const QByteArray text(70, 'w');
    QTest::newRow("bank, CR LF lines") << 0 << text + "\r\n" << 2.1;
    QTest::newRow("bank, LF lines") << 0 << text + "\n" << 2.1;
    QTest::newRow("bank, only LF") << 0 << QByteArray("\n") << 2.1;
    QTest::newRow("install notes message, CR LF lines") << 1 << text + "\r\n" << 3.1;
    QTest::newRow("journal lines, CR LF") << 2 << QByteArray(40, 'j') + "\r\n" << 5.0;
}

void BenchLoading::load()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, line);
    QFETCH(double, floor);
    const quz::files::FileKind fileKind = kind == 0   ? quz::files::FileKind::Bank
                                          : kind == 1 ? quz::files::FileKind::Notes
                                                      : quz::files::FileKind::Journal;
    const qint64 size = quz::files::sizeLimit(fileKind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.txt"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(shaped(line, size));
    }
    const qint64 fileSize = QFileInfo(path).size();

    QElapsedTimer clock;
    clock.start();
    qint64 kept = 0;
    const qint64 peak = quz::bench::peakMemoryAbove([&] {
        if (kind == 0) {
            quz::bank::QuestionBank bank;
            QVERIFY(bank.loadFile(path).ok());
            kept = qint64(bank.text().size());
        } else if (kind == 1) {
            // As the picture check builds the install notes message.
            auto bytes = quz::files::readFileBytes(path, fileKind);
            QVERIFY(bytes.ok());
            QByteArray joined = std::move(bytes).value();
            quz::files::normaliseLinesInPlace(joined);
            QString message = QStringLiteral("heading\r\n\r\n\r\n");
            quz::files::appendCp1251(message,
                                     std::string_view(joined.constData(), size_t(joined.size())));
            kept = message.size();
        } else {
            const auto bytes = quz::files::readFileBytes(path, fileKind);
            QVERIFY(bytes.ok());
            const QStringList lines = quz::files::linesFromCp1251(
                std::string_view(bytes->constData(), size_t(bytes->size())));
            kept = lines.size();
        }
    });
    const double ratio = double(peak) / double(fileSize);
    qInfo("%-38s file %6.1f MiB  peak %7.1f MiB = %.2f x the file (floor %.1f)  %lld ms",
          QTest::currentDataTag(), fileSize / 1048576.0, peak / 1048576.0, ratio, floor,
          clock.elapsed());
    QVERIFY(kept > 0);
}

QTEST_GUILESS_MAIN(BenchLoading)
#include "bench_loading.moc"
