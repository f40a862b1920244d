// The two banks on the demonstration files: loading "vopros.txt" and
// "koment.txt", and one question or comment lookup (the mean over all 800
// questions), each printed beside its floor.
//
// Run: <build>/bench/bench_bank
#include "bench_timing.h"

#include "core/bank/comment_bank.h"
#include "core/bank/question_bank.h"
#include "core/files/text_file.h"

#include <QtTest>

#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

volatile size_t g_sink = 0;

// The floor of a load: the file read into memory with one read, and one pass
// over its bytes that finds its lines (counting the line feeds with memchr,
// the fastest such pass).
size_t readAndOnePass(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat st {};
    ::fstat(fd, &st);
    const auto size = static_cast<size_t>(st.st_size);
    const auto bytes = std::make_unique_for_overwrite<char[]>(size);
    size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd, bytes.get() + filled, size - filled);
        if (got <= 0)
            break;
        filled += static_cast<size_t>(got);
    }
    ::close(fd);
    size_t lines = 0;
    const char *p = bytes.get();
    const char *const end = p + filled;
    while (const void *lf = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
        p = static_cast<const char *>(lf) + 1;
        ++lines;
    }
    return lines;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

struct Key {
    QString ticket;
    QString question;
};

QList<Key> allKeys()
{
    QList<Key> keys;
    for (int t = 1; t <= 40; ++t)
        for (int q = 1; q <= 20; ++q)
            keys.append({twoDigits(t), twoDigits(q)});
    return keys;
}

quz::bench::Timing perKey(quz::bench::Timing t, qsizetype keys)
{
    t.ms /= static_cast<double>(keys);
    t.floorMs /= static_cast<double>(keys);
    return t;
}

} // namespace

class BenchBank : public QObject {
    Q_OBJECT
private slots:
    void questionBankLoad();
    void commentBankLoad();
    void questionLookup();
    void commentLookup();

private:
    const QString m_questions = QStringLiteral(QUZ_DEMO_DATA_DIR "/vopros.txt");
    const QString m_comments = QStringLiteral(QUZ_DEMO_DATA_DIR "/koment.txt");
};

void BenchBank::questionBankLoad()
{
    quz::bank::QuestionBank probe;
    QVERIFY(probe.loadFile(m_questions).ok());
    const auto t = quz::bench::compare(
        [&] {
            quz::bank::QuestionBank bank;
            if (bank.loadFile(m_questions))
                g_sink = g_sink + bank.text().size();
        },
        [&] { g_sink = g_sink + readAndOnePass(m_questions); });
    quz::bench::report("question bank load", t, t.ratio() > 2 ? "  << over 2x" : "");
}

void BenchBank::commentBankLoad()
{
    quz::bank::CommentBank probe;
    QVERIFY(probe.loadFile(m_comments).ok());
    const auto t = quz::bench::compare(
        [&] {
            quz::bank::CommentBank bank;
            if (bank.loadFile(m_comments))
                g_sink = g_sink + bank.text().size();
        },
        [&] { g_sink = g_sink + readAndOnePass(m_comments); });
    quz::bench::report("comment bank load", t, t.ratio() > 2 ? "  << over 2x" : "");
}

void BenchBank::questionLookup()
{
    quz::bank::QuestionBank bank;
    QVERIFY(bank.loadFile(m_questions).ok());
    const QList<Key> keys = allKeys();
    std::vector<std::string> searched;
    for (const Key &k : keys) {
        QVERIFY(bank.lookup(k.ticket, k.question).found);
        searched.push_back(quz::bank::questionKey(quz::files::toCp1251(k.ticket),
                                                  quz::files::toCp1251(k.question)));
    }
    const auto t = quz::bench::compare(
        [&] {
            for (const Key &k : keys)
                g_sink = g_sink + bank.lookup(k.ticket, k.question).variants.size();
        },
        [&] {
            for (const std::string &key : searched)
                g_sink = g_sink + bank.text().find(key);
        });
    quz::bench::report("question lookup", perKey(t, keys.size()));
}

void BenchBank::commentLookup()
{
    quz::bank::CommentBank bank;
    QVERIFY(bank.loadFile(m_comments).ok());
    const QList<Key> keys = allKeys();
    std::vector<std::string> searched;
    for (const Key &k : keys) {
        QVERIFY(!bank.lookup(k.ticket, k.question).isEmpty());
        searched.push_back("\r\n" + quz::bank::questionKey(quz::files::toCp1251(k.ticket), {}));
    }
    const auto t = quz::bench::compare(
        [&] {
            for (const Key &k : keys)
                g_sink = g_sink + static_cast<size_t>(bank.lookup(k.ticket, k.question).size());
        },
        [&] {
            for (const std::string &marker : searched)
                g_sink = g_sink + bank.text().find(marker);
        });
    quz::bench::report("comment lookup", perKey(t, keys.size()));
}

QTEST_GUILESS_MAIN(BenchBank)
#include "bench_bank.moc"
