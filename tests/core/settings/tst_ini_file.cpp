#include "core/settings/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <limits>

using namespace quz::settings;

namespace {

std::string bytes(const QByteArray &a)
{
    return std::string(a.constData(), static_cast<std::size_t>(a.size()));
}

QByteArray qbytes(std::string_view s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

QByteArray fileContent(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void putFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), content.size());
}

} // namespace

class TstIniFile : public QObject {
    Q_OBJECT

private slots:
    void readRules_data();
    void readRules();
    void integers_data();
    void integers();
    void typedReads_data();
    void typedReads();
    void writeRules_data();
    void writeRules();
    void missingFileCreatedByFirstWrite();
    void handEditedLfFile();
    void twoBatchesKeepEachOthersKeys();
    void fileChangedDuringBatch_data();
    void fileChangedDuringBatch();
    void refusedWrite_data();
    void refusedWrite();
    void roundTrip();
};

void TstIniFile::readRules_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray cut(2047, 'a');
    QTest::newRow("key in other case") << QByteArray("[SCR]\r\nLEFT=5\r\n") << QByteArray("SCR")
                                       << QByteArray("left") << true << QByteArray("5");
    QTest::newRow("section in other case") << QByteArray("[Prg]\r\nst=3\r\n") << QByteArray("prg")
                                           << QByteArray("st") << true << QByteArray("3");
    QTest::newRow("cyrillic names in other case")
        << QByteArray(
               "[\xd0\xc0\xc7\xc4\xc5\xcb \xa8]\r\n\xca\xcb\xde\xd7=v\r\n") // РАЗДЕЛ Ё / КЛЮЧ
        << QByteArray("\xf0\xe0\xe7\xe4\xe5\xeb \xb8") << QByteArray("\xea\xeb\xfe\xf7") << true
        << QByteArray("v");
    QTest::newRow("cyrillic letters are not folded onto others")
        << QByteArray("[s]\r\n\xc0=v\r\n") << QByteArray("s") << QByteArray("\xc1") << false
        << QByteArray();
    QTest::newRow("first key occurrence") << QByteArray("[s]\r\nk=1\r\nK=2\r\n") << QByteArray("s")
                                          << QByteArray("k") << true << QByteArray("1");
    QTest::newRow("first section occurrence")
        << QByteArray("[s]\r\na=1\r\n[S]\r\nb=2\r\n") << QByteArray("s") << QByteArray("b") << false
        << QByteArray();
    QTest::newRow("key of the next section not seen")
        << QByteArray("[s]\r\n[t]\r\nk=1\r\n") << QByteArray("s") << QByteArray("k") << false
        << QByteArray();
    QTest::newRow("blanks around name and value")
        << QByteArray("  [ s ]  \r\n \t k \t=  v w \t\r\n") << QByteArray("s") << QByteArray("k")
        << true << QByteArray("v w");
    QTest::newRow("double quotes") << QByteArray("[s]\r\nk=\" v \"\r\n") << QByteArray("s")
                                   << QByteArray("k") << true << QByteArray(" v ");
    QTest::newRow("single quotes") << QByteArray("[s]\r\nk= 'v' \r\n") << QByteArray("s")
                                   << QByteArray("k") << true << QByteArray("v");
    QTest::newRow("mismatched quotes kept") << QByteArray("[s]\r\nk=\"v'\r\n") << QByteArray("s")
                                            << QByteArray("k") << true << QByteArray("\"v'");
    QTest::newRow("lone quote kept") << QByteArray("[s]\r\nk=\"\r\n") << QByteArray("s")
                                     << QByteArray("k") << true << QByteArray("\"");
    QTest::newRow("only one pair removed")
        << QByteArray("[s]\r\nk=\"\"v\"\"\r\n") << QByteArray("s") << QByteArray("k") << true
        << QByteArray("\"v\"");
    QTest::newRow("present empty value") << QByteArray("[prg]\r\nnBilet=\r\n") << QByteArray("prg")
                                         << QByteArray("nBilet") << true << QByteArray("");
    QTest::newRow("missing key") << QByteArray("[prg]\r\nnVopros=1\r\n") << QByteArray("prg")
                                 << QByteArray("nBilet") << false << QByteArray();
    QTest::newRow("missing section") << QByteArray("[prg]\r\nk=1\r\n") << QByteArray("prog")
                                     << QByteArray("k") << false << QByteArray();
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[s]\r\n") << QByteArray("s")
                                            << QByteArray("k") << false << QByteArray();
    QTest::newRow("commented key is another key")
        << QByteArray("[s]\r\n;k=1\r\n") << QByteArray("s") << QByteArray("k") << false
        << QByteArray();
    QTest::newRow("value holds equals signs") << QByteArray("[s]\r\nk=a=b\r\n") << QByteArray("s")
                                              << QByteArray("k") << true << QByteArray("a=b");
    QTest::newRow("text after the bracket ignored")
        << QByteArray("[s] ; note\r\nk=1\r\n") << QByteArray("s") << QByteArray("k") << true
        << QByteArray("1");
    QTest::newRow("unclosed bracket is no section")
        << QByteArray("[s]\r\n[t\r\nk=1\r\n") << QByteArray("s") << QByteArray("k") << true
        << QByteArray("1");
    QTest::newRow("CR only line ends") << QByteArray("[s]\rk=1\rj=2") << QByteArray("s")
                                       << QByteArray("j") << true << QByteArray("2");
    QTest::newRow("long value cut to 2047") << QByteArray("[s]\r\nk=" + cut + "bcd\r\n")
                                            << QByteArray("s") << QByteArray("k") << true << cut;
    QTest::newRow("2047 characters kept whole")
        << QByteArray("[s]\r\nk=" + cut + "\r\n") << QByteArray("s") << QByteArray("k") << true
        << cut;
}

void TstIniFile::readRules()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, present);
    QFETCH(QByteArray, expected);

    const std::optional<std::string> v =
        IniDocument::parse(bytes(text)).value(bytes(section), bytes(key));
    QCOMPARE(v.has_value(), present);
    if (present)
        QCOMPARE(qbytes(*v), expected);
}

void TstIniFile::integers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal") << QByteArray("472") << true << 472;
    QTest::newRow("negative") << QByteArray("-8") << true << -8;
    QTest::newRow("plus sign") << QByteArray("+8") << true << 8;
    QTest::newRow("dollar hex") << QByteArray("$10") << true << 16;
    QTest::newRow("0x hex") << QByteArray("0x10") << true << 16;
    QTest::newRow("0X hex mixed digits") << QByteArray("0XaF") << true << 175;
    QTest::newRow("leading zeros") << QByteArray("007") << true << 7;
    QTest::newRow("largest") << QByteArray("2147483647") << true << std::numeric_limits<int>::max();
    QTest::newRow("smallest") << QByteArray("-2147483648") << true
                              << std::numeric_limits<int>::min();
    QTest::newRow("largest hex") << QByteArray("$7FFFFFFF") << true
                                 << std::numeric_limits<int>::max();
    QTest::newRow("trailing junk") << QByteArray("10px") << false << 0;
    QTest::newRow("empty") << QByteArray("") << false << 0;
    QTest::newRow("overflow") << QByteArray("2147483648") << false << 0;
    QTest::newRow("negative overflow") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("hex overflow") << QByteArray("0x80000000") << false << 0;
    QTest::newRow("very long number") << QByteArray("99999999999999999999999") << false << 0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0;
    QTest::newRow("dollar only") << QByteArray("$") << false << 0;
    QTest::newRow("0x only") << QByteArray("0x") << false << 0;
    QTest::newRow("hex digits without prefix") << QByteArray("1F") << false << 0;
    QTest::newRow("inner blank") << QByteArray("1 2") << false << 0;
    QTest::newRow("signed hex") << QByteArray("-$10") << false << 0;
    QTest::newRow("word") << QByteArray("yes") << false << 0;
}

void TstIniFile::integers()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const std::optional<int32_t> n = parseInteger(bytes(text));
    QCOMPARE(n.has_value(), valid);
    if (valid)
        QCOMPARE(*n, value);
}

void TstIniFile::typedReads_data()
{
    QTest::addColumn<QByteArray>("line"); // the line of key "k" in section "s"; empty: no line
    QTest::addColumn<int>("intDefault");
    QTest::addColumn<int>("intExpected");
    QTest::addColumn<bool>("boolDefault");
    QTest::addColumn<bool>("boolExpected");

    QTest::newRow("missing key") << QByteArray() << 472 << 472 << true << true;
    QTest::newRow("present empty gives the default") << QByteArray("k=") << 1 << 1 << true << true;
    QTest::newRow("quoted number") << QByteArray("k='16'") << 0 << 16 << false << true;
    QTest::newRow("10px gives the default") << QByteArray("k=10px") << 0 << 0 << false << false;
    QTest::newRow("2 is true") << QByteArray("k=2") << 0 << 2 << false << true;
    QTest::newRow("-1 is true") << QByteArray("k=-1") << 0 << -1 << false << true;
    QTest::newRow("0 is false") << QByteArray("k=0") << 5 << 0 << true << false;
    QTest::newRow("yes gives default false") << QByteArray("k=yes") << 0 << 0 << false << false;
    QTest::newRow("yes gives default true") << QByteArray("k=yes") << 1 << 1 << true << true;
}

void TstIniFile::typedReads()
{
    QFETCH(QByteArray, line);
    QFETCH(int, intDefault);
    QFETCH(int, intExpected);
    QFETCH(bool, boolDefault);
    QFETCH(bool, boolExpected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    putFile(path, "[s]\r\n" + line + "\r\n");
    const IniFile ini(path);
    QCOMPARE(ini.readInteger("s", "k", intDefault), intExpected);
    QCOMPARE(ini.readBool("s", "k", boolDefault), boolExpected);
}

void TstIniFile::writeRules_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace value")
        << QByteArray("[SCR]\r\nleft=1\r\ntop=2\r\n") << QByteArray("SCR") << QByteArray("left")
        << QByteArray("16") << QByteArray("[SCR]\r\nleft=16\r\ntop=2\r\n");
    QTest::newRow("replace keeps name spelling and blanks")
        << QByteArray("[scr]\r\n  LEFT = 1 \r\n") << QByteArray("SCR") << QByteArray("left")
        << QByteArray("16") << QByteArray("[scr]\r\n  LEFT = 16\r\n");
    QTest::newRow("replace first occurrence only")
        << QByteArray("[s]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\n") << QByteArray("s") << QByteArray("k")
        << QByteArray("9") << QByteArray("[s]\r\nk=9\r\nk=2\r\n[s]\r\nk=3\r\n");
    QTest::newRow("add key after last key line")
        << QByteArray("[s]\r\na=1\r\n; note\r\nb=2\r\n\r\n; tail\r\n[t]\r\nx=1\r\n")
        << QByteArray("s") << QByteArray("c") << QByteArray("3")
        << QByteArray("[s]\r\na=1\r\n; note\r\nb=2\r\nc=3\r\n\r\n; tail\r\n[t]\r\nx=1\r\n");
    QTest::newRow("add key to empty section")
        << QByteArray("[s]\r\n\r\n[t]\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("v")
        << QByteArray("[s]\r\nk=v\r\n\r\n[t]\r\n");
    QTest::newRow("key of the same name elsewhere untouched")
        << QByteArray("[t]\r\nk=1\r\n[s]\r\n") << QByteArray("s") << QByteArray("k")
        << QByteArray("2") << QByteArray("[t]\r\nk=1\r\n[s]\r\nk=2\r\n");
    QTest::newRow("add section at end")
        << QByteArray("junk line\r\n[s]\r\na=1") << QByteArray("prog") << QByteArray("WavYes")
        << QByteArray("a.wav")
        << QByteArray("junk line\r\n[s]\r\na=1\r\n[prog]\r\nWavYes=a.wav\r\n");
    QTest::newRow("empty text") << QByteArray() << QByteArray("prg") << QByteArray("first")
                                << QByteArray("0") << QByteArray("[prg]\r\nfirst=0\r\n");
    QTest::newRow("LF and CR line ends become CR LF")
        << QByteArray("[s]\nk=1\n;c\rx=2\r") << QByteArray("s") << QByteArray("k")
        << QByteArray("5") << QByteArray("[s]\r\nk=5\r\n;c\r\nx=2\r\n");
    QTest::newRow("empty value") << QByteArray("[s]\r\nk=1\r\n") << QByteArray("s")
                                 << QByteArray("k") << QByteArray("")
                                 << QByteArray("[s]\r\nk=\r\n");
    QTest::newRow("blanks at the ends quoted")
        << QByteArray() << QByteArray("s") << QByteArray("k") << QByteArray(" v ")
        << QByteArray("[s]\r\nk=\" v \"\r\n");
    QTest::newRow("enclosing quotes quoted again")
        << QByteArray() << QByteArray("s") << QByteArray("k") << QByteArray("'v'")
        << QByteArray("[s]\r\nk=\"'v'\"\r\n");
    QTest::newRow("inner quote written as it is")
        << QByteArray() << QByteArray("s") << QByteArray("k") << QByteArray("a\"b")
        << QByteArray("[s]\r\nk=a\"b\r\n");
    QTest::newRow("value cut at a line break")
        << QByteArray() << QByteArray("s") << QByteArray("k") << QByteArray("a\r\n[x]")
        << QByteArray("[s]\r\nk=a\r\n");
}

void TstIniFile::writeRules()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);

    IniDocument doc = IniDocument::parse(bytes(before));
    doc.set(bytes(section), bytes(key), bytes(value));
    QCOMPARE(qbytes(doc.serialise()), after);
}

void TstIniFile::missingFileCreatedByFirstWrite()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    IniFile ini(path);
    QCOMPARE(ini.readString("prg", "nBilet", "01"), std::string("01"));
    QCOMPARE(ini.readInteger("SCR", "height", 472), 472);
    QVERIFY(!QFile::exists(path));

    ini.writeInteger("SCR", "left2", -3);
    ini.writeBool("prg", "delErr", true);
    QVERIFY(ini.flush().ok());
    QCOMPARE(fileContent(path), QByteArray("[SCR]\r\nleft2=-3\r\n[prg]\r\ndelErr=1\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("quz.ini")});
}

void TstIniFile::handEditedLfFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    QVERIFY(QFile::copy(QStringLiteral(QUZ_TEST_DATA_DIR "/settings/hand_edited_lf.ini"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray original = fileContent(path);

    IniFile ini(path);
    QCOMPARE(ini.readInteger("SCR", "left", 0), 12);
    QCOMPARE(ini.readInteger("SCR", "top", 0), 34);
    QCOMPARE(ini.readString("prg", "nBilet", "01"), std::string("07"));
    QCOMPARE(ini.readBool("prg", "rnd", false), false);

    ini.writeInteger("SCR", "left", 40);
    ini.writeString("prg", "nVopros", "20");
    QVERIFY(ini.flush().ok());
    QByteArray expected = original;
    expected.replace("LEFT = 12", "LEFT = 40");
    expected.replace("rnd=yes\n", "rnd=yes\nnVopros=20\n");
    expected.replace("\n", "\r\n");
    QCOMPARE(fileContent(path), expected);
}

void TstIniFile::twoBatchesKeepEachOthersKeys()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quz.ini"));

    IniFile mainBatch(path);
    IniFile commentBatch(path);
    commentBatch.writeInteger("SCR", "left2", 5);
    mainBatch.writeInteger("SCR", "left", 7);
    commentBatch.writeInteger("SCR", "top2", 9);
    // Nothing reaches the file before a batch ends.
    QVERIFY(!QFile::exists(path));
    QVERIFY(commentBatch.flush().ok());
    QVERIFY(mainBatch.flush().ok());

    const IniFile reread(path);
    QCOMPARE(reread.readInteger("SCR", "left2", 0), 5);
    QCOMPARE(reread.readInteger("SCR", "left", 0), 7);
    QCOMPARE(reread.readInteger("SCR", "top2", 0), 9);
}

void TstIniFile::fileChangedDuringBatch_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("unchanged") << QString() << QByteArray("[SCR]\r\nleft=1\r\ntop=9\r\n");
    QTest::newRow("edited in place, same size")
        << QStringLiteral("edit") << QByteArray("[SCR]\r\nleft=2\r\ntop=9\r\n");
    QTest::newRow("replaced, another key added")
        << QStringLiteral("replace") << QByteArray("[SCR]\r\nleft=1\r\nleft2=5\r\ntop=9\r\n");
    QTest::newRow("removed") << QStringLiteral("remove") << QByteArray("[SCR]\r\ntop=9\r\n");
}

void TstIniFile::fileChangedDuringBatch()
{
    QFETCH(QString, change);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    putFile(path, "[SCR]\r\nleft=1\r\n");
    IniFile batch(path);
    QCOMPARE(batch.readInteger("SCR", "left", 0), 1);
    batch.writeInteger("SCR", "top", 9);
    if (change == QLatin1String("edit")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(12));
        QCOMPARE(f.write("2"), qint64(1));
    } else if (change == QLatin1String("replace")) {
        putFile(path + QStringLiteral(".new"), "[SCR]\r\nleft=1\r\nleft2=5\r\n");
        QVERIFY(std::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                            QFile::encodeName(path).constData())
                == 0);
    } else if (change == QLatin1String("remove")) {
        QVERIFY(QFile::remove(path));
    }
    QVERIFY(batch.flush().ok());
    QTEST(fileContent(path), "expected");
}

void TstIniFile::refusedWrite_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("parent is a regular file") << QStringLiteral("parentFile");
    QTest::newRow("path is a folder") << QStringLiteral("folder");
    QTest::newRow("read-only folder") << QStringLiteral("readOnly");
    QTest::newRow("text would outgrow the reading limit") << QStringLiteral("outgrow");
}

void TstIniFile::refusedWrite()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray old("[SCR]\r\nleft=1\r\n");
    QString path;
    QString keptFile;   // a file whose content must survive the failed write
    int leftBefore = 0; // what the batch reads before its write
    // Gives the owner back every right on the folder, so it can be removed.
    struct RestoreRights {
        QString folder;
        ~RestoreRights()
        {
            if (!folder.isEmpty())
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    } restore;
    if (kind == QLatin1String("parentFile")) {
        keptFile = dir.filePath(QStringLiteral("plain"));
        putFile(keptFile, old);
        path = keptFile + QStringLiteral("/quz.ini");
    } else if (kind == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("quz.ini"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("quz.ini")));
        keptFile = path + QStringLiteral("/inside");
        putFile(keptFile, old);
    } else if (kind == QLatin1String("outgrow")) {
        // Readable as it is; its lone line feeds become CR LF when written.
        path = keptFile = dir.filePath(QStringLiteral("quz.ini"));
        const QByteArray lines = QByteArray("[SCR]\nleft=1\n") + QByteArray(700 * 1024, '\n');
        putFile(path, lines);
        old = lines;
        leftBefore = 1;
    } else {
        const QString sub = dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ro")));
        path = keptFile = sub + QStringLiteral("/quz.ini");
        putFile(keptFile, old);
        leftBefore = 1;
        restore.folder = sub;
        QVERIFY(QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(sub + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QSKIP("permissions do not stop writes for this user");
        }
    }

    IniFile ini(path);
    QCOMPARE(ini.readInteger("SCR", "left", 0), leftBefore);
    QVERIFY(ini.flush().ok());
    ini.writeInteger("SCR", "left", 2);
    const quz::Status flushed = ini.flush();
    QVERIFY(!flushed);
    QCOMPARE(flushed.error(), QStringLiteral("Unable to write to ") + path);
    QCOMPARE(fileContent(keptFile), old);
    const QDir keptDir = QFileInfo(keptFile).dir();
    QCOMPARE(keptDir.entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TstIniFile::roundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quz.ini"));
    const std::string cyrillic = "\xc1\xe8\xeb\xe5\xf2 \xb9 01"; // Билет № 01
    const std::string longPath = "/snd/" + std::string(3000, 'w') + ".wav";
    {
        IniFile ini(path);
        ini.writeInteger("SCR", "left", std::numeric_limits<int32_t>::min());
        ini.writeInteger("SCR", "top", std::numeric_limits<int32_t>::max());
        ini.writeInteger("SCR", "height", -8);
        ini.writeString("prg", "nBilet", "01");
        ini.writeString("prg", "nVopros", "");
        ini.writeBool("prg", "rnd", true);
        ini.writeBool("prg", "ares", false);
        ini.writeBool("prg", "WavErr", true);
        ini.writeString("prog", "WavErr", cyrillic);
        ini.writeString("prog", "WavYes", " 'quoted' ");
        ini.writeString("prog", "long", longPath);
        QVERIFY(ini.flush().ok());
        QCOMPARE(ini.readBool("prg", "rnd", false), true);
    }
    const IniFile ini(path);
    QCOMPARE(ini.readInteger("SCR", "left", 0), std::numeric_limits<int32_t>::min());
    QCOMPARE(ini.readInteger("SCR", "top", 0), std::numeric_limits<int32_t>::max());
    QCOMPARE(ini.readInteger("SCR", "height", 0), -8);
    QCOMPARE(ini.readString("prg", "nBilet", "x"), std::string("01"));
    QCOMPARE(ini.readString("prg", "nVopros", "x"), std::string());
    QCOMPARE(ini.readBool("prg", "rnd", false), true);
    QCOMPARE(ini.readBool("prg", "ares", true), false);
    QCOMPARE(ini.readBool("prg", "WavErr", false), true);
    QCOMPARE(ini.readString("prog", "WavErr", ""), cyrillic);
    QCOMPARE(ini.readString("prog", "WavYes", ""), std::string(" 'quoted' "));
    QCOMPARE(ini.readString("prog", "long", ""), longPath.substr(0, 2047));
}

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_ini_file.moc"
