#include "IniFile.h"
#include "WriterContent.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString marker = u"<default>"_s;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Lets the first `budget` bytes through, then fails the way a full disk does: with an error,
// or with a short count and no error.
class FailingSaveFile : public QSaveFile
{
public:
    enum class Failure { Error, ShortWrite };

    FailingSaveFile(const QString &name, qint64 budget, Failure failure)
        : QSaveFile(name)
        , m_budget(budget)
        , m_failure(failure)
    {
    }

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 allowed = std::min(len, m_budget);
        m_budget -= allowed;
        const qint64 written = allowed > 0 ? QSaveFile::writeData(data, allowed) : 0;
        if (allowed == len || m_failure == Failure::ShortWrite)
            return written;
        setErrorString(u"disk full"_s);
        return -1;
    }

private:
    qint64 m_budget;
    Failure m_failure;
};

// The target turns into a directory while the new content is written, so the final rename
// fails even for root.
class TargetTakenSaveFile : public QSaveFile
{
public:
    explicit TargetTakenSaveFile(const QString &name)
        : QSaveFile(name)
    {
    }

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        if (!m_taken) {
            m_taken = QFile::remove(fileName()) && QDir().mkdir(fileName());
        }
        return QSaveFile::writeData(data, len);
    }

private:
    bool m_taken = false;
};

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = static_cast<char>(generator.bounded(256));
    return bytes;
}

QByteArray repeated(QByteArrayView line, qsizetype times)
{
    return line.toByteArray().repeated(times);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookup_data();
    void lookup();
    void missingFileGivesDefaults();
    void write_data();
    void write();
    void rewriteKeepsEveryOtherByte();
    void buildFromNothing();
    void writtenValueCannotBreakFile_data();
    void writtenValueCannotBreakFile();
    void invalidNamesAreRefused_data();
    void invalidNamesAreRefused();
    void hostileBytes_data();
    void hostileBytes();
    void textOrNot_data();
    void textOrNot();
    void neverWritesWhatItWillNotRead();
    void fileSizeLimitFailsSaveWithoutKilling();
    void leftoverTemporariesAreRemoved();
    void sizeCap();
    void unreadablePaths_data();
    void unreadablePaths();
    void saveReplacesFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void saveErrors_data();
    void saveErrors();
    void failedCommitIsReported();
    void killedWriterLeavesCompleteFile();
    void concurrentSavesLeaveOneCompleteFile();
    void fullDiskFailsSaveAndKeepsOldFile();
};

void TestIniFile::lookup_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("expected"); // marker: the default comes back

    const QByteArray general = "[GeneralValues]\nPrecision=12\n"_ba;
    QTest::newRow("exact") << general << "GeneralValues"_ba << "Precision"_ba << u"12"_s;
    QTest::newRow("section case") << general << "GENERALvalues"_ba << "Precision"_ba << u"12"_s;
    QTest::newRow("key case") << general << "GeneralValues"_ba << "pRECISION"_ba << u"12"_s;
    QTest::newRow("absent key") << general << "GeneralValues"_ba << "Angle"_ba << marker;
    QTest::newRow("absent section") << general << "InitialValues"_ba << "Precision"_ba << marker;
    QTest::newRow("empty file") << QByteArray() << "GeneralValues"_ba << "Precision"_ba << marker;
    QTest::newRow("UTF-8 letters do not fold")
        << "[S]\n\xC3\x84=1\n"_ba << "S"_ba << "\xC3\xA4"_ba << marker;
    QTest::newRow("Latin-1 bytes do not fold")
        << "[\xC4]\nk=1\n"_ba << "\xE4"_ba << "k"_ba << marker;

    QTest::newRow("whitespace trimmed")
        << " \t[ S ] \n \t Key \t= \t v a l \t \n"_ba << "S"_ba << "Key"_ba << u"v a l"_s;
    QTest::newRow("CRLF") << "[S]\r\nk=v\r\n"_ba << "S"_ba << "k"_ba << u"v"_s;
    QTest::newRow("no final line ending") << "[S]\nk=v"_ba << "S"_ba << "k"_ba << u"v"_s;
    QTest::newRow("value holding '='") << "[S]\nk=a=b\n"_ba << "S"_ba << "k"_ba << u"a=b"_s;
    QTest::newRow("empty value is a value") << "[S]\nk=\n"_ba << "S"_ba << "k"_ba << QString();
    QTest::newRow("no inline comments") << "[S]\nk=1 ; x\n"_ba << "S"_ba << "k"_ba << u"1 ; x"_s;
    QTest::newRow("UTF-8 value") << "[S]\nk=\xE2\x82\xAC 5\n"_ba << "S"_ba << "k"_ba << u"€ 5"_s;
    QTest::newRow("invalid UTF-8 value")
        << "[S]\nk=a\xFF\n"_ba << "S"_ba << "k"_ba << u"a\uFFFD"_s;
    // Only LF ends a line; a CR elsewhere is not part of the value, as a value
    // written back could not hold it: reading and writing agree.
    QTest::newRow("lone CR inside a value")
        << "[S]\nk=2.128,94\r$\n"_ba << "S"_ba << "k"_ba << u"2.128,94$"_s;
    QTest::newRow("CR between key and value")
        << "[S]\nk=\r 5\n"_ba << "S"_ba << "k"_ba << u"5"_s;
    QTest::newRow("BOM before first header")
        << "\xEF\xBB\xBF[S]\nk=1\n"_ba << "S"_ba << "k"_ba << u"1"_s;
    QTest::newRow("text after header") << "[S] ; main\nk=1\n"_ba << "S"_ba << "k"_ba << u"1"_s;

    QTest::newRow("';' comment") << "[S]\n;k=1\n"_ba << "S"_ba << "k"_ba << marker;
    QTest::newRow("'#' comment after blanks") << "[S]\n \t# k=1\n"_ba << "S"_ba << "k"_ba << marker;
    QTest::newRow("comment is no key named ';k'")
        << "[S]\n;k=1\n"_ba << "S"_ba << ";k"_ba << marker;
    QTest::newRow("unclosed header is no key") << "[S]\n[k=1\n"_ba << "S"_ba << "[k"_ba << marker;
    QTest::newRow("line without '='") << "[S]\nk\nk=2\n"_ba << "S"_ba << "k"_ba << u"2"_s;
    QTest::newRow("unclosed header") << "[S\nk=1\n"_ba << "S"_ba << "k"_ba << marker;
    QTest::newRow("key before any section") << "k=1\n[S]\n"_ba << "S"_ba << "k"_ba << marker;
    QTest::newRow("key of the next section") << "[A]\n[B]\nk=1\n"_ba << "A"_ba << "k"_ba << marker;
    QTest::newRow("first of repeated keys") << "[S]\nk=1\nK=2\n"_ba << "S"_ba << "k"_ba << u"1"_s;
    QTest::newRow("first of repeated sections")
        << "[S]\nk=1\n[s]\nk=2\n"_ba << "S"_ba << "k"_ba << u"1"_s;
    QTest::newRow("key only in a repeated section")
        << "[S]\nk=1\n[B]\n[s]\nj=2\n"_ba << "S"_ba << "j"_ba << marker;
}

void TestIniFile::lookup()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, expected);

    const IniFile ini = IniFile::fromBytes(file);
    QCOMPARE(ini.value(section, key, marker), expected);
    QCOMPARE(ini.contains(section, key), expected != marker);

    // What was read is what writing it back stores.
    if (expected != marker) {
        IniFile rewritten = ini;
        QVERIFY(rewritten.setValue(section, key, ini.value(section, key)));
        QCOMPARE(IniFile::fromBytes(rewritten.toBytes()).value(section, key), expected);
    }
}

void TestIniFile::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto status = IniFile::LoadStatus::Loaded;
    const IniFile ini = IniFile::load(dir.filePath(u"vdl.ini"_s), &status);
    QCOMPARE(status, IniFile::LoadStatus::Missing);
    QCOMPARE(ini.value("GeneralValues", "Precision", marker), marker);
    QVERIFY(!ini.contains("GeneralValues", "Precision"));
    QCOMPARE(ini.toBytes(), QByteArray());
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("value"); // always written to key "k"
    QTest::addColumn<QByteArray>("after");

    // Replacing in place.
    QTest::newRow("replace") << "[S]\nk=1\nj=2\n"_ba << "S"_ba << u"5"_s << "[S]\nk=5\nj=2\n"_ba;
    QTest::newRow("replace keeps the file's spelling, drops padding")
        << "[s]\n  K = 1  \nj=2\n"_ba << "S"_ba << u"5"_s << "[s]\nK=5\nj=2\n"_ba;
    QTest::newRow("replace in CRLF file")
        << "[S]\r\nk=1\r\nj=2\r\n"_ba << "S"_ba << u"5"_s << "[S]\r\nk=5\r\nj=2\r\n"_ba;
    QTest::newRow("replace keeps a line's own ending")
        << "[S]\r\nk=1\nj=2\r\n"_ba << "S"_ba << u"5"_s << "[S]\r\nk=5\nj=2\r\n"_ba;
    QTest::newRow("replace last line without ending")
        << "[S]\nk=1"_ba << "S"_ba << u"5"_s << "[S]\nk=5"_ba;
    QTest::newRow("replace first of repeated keys")
        << "[S]\nk=1\nk=2\n"_ba << "S"_ba << u"5"_s << "[S]\nk=5\nk=2\n"_ba;
    QTest::newRow("replace in first of repeated sections")
        << "[S]\nk=1\n[S]\nk=2\n"_ba << "S"_ba << u"5"_s << "[S]\nk=5\n[S]\nk=2\n"_ba;
    QTest::newRow("replace with UTF-8")
        << "[S]\nk=1\n"_ba << "S"_ba << u"€"_s << "[S]\nk=\xE2\x82\xAC\n"_ba;

    // Appending to an existing section.
    QTest::newRow("append before blank lines and the next section")
        << "[A]\nx=1\n\n\n[B]\ny=1\n"_ba << "A"_ba << u"5"_s << "[A]\nx=1\nk=5\n\n\n[B]\ny=1\n"_ba;
    QTest::newRow("append after the section's last comment")
        << "[A]\nx=1\n; end\n\n[B]\n"_ba << "A"_ba << u"5"_s << "[A]\nx=1\n; end\nk=5\n\n[B]\n"_ba;
    QTest::newRow("append to an empty section")
        << "[A]\n\n[B]\n"_ba << "A"_ba << u"5"_s << "[A]\nk=5\n\n[B]\n"_ba;
    QTest::newRow("append to first of repeated sections")
        << "[A]\nx=1\n[B]\n[a]\ny=1\n"_ba << "A"_ba << u"5"_s
        << "[A]\nx=1\nk=5\n[B]\n[a]\ny=1\n"_ba;
    QTest::newRow("append keeps trailing blank lines")
        << "[A]\nx=1\n\n  \n"_ba << "A"_ba << u"5"_s << "[A]\nx=1\nk=5\n\n  \n"_ba;
    QTest::newRow("append after last line without ending")
        << "[A]\nx=1"_ba << "A"_ba << u"5"_s << "[A]\nx=1\nk=5\n"_ba;
    QTest::newRow("append after header without ending")
        << "[A]"_ba << "A"_ba << u"5"_s << "[A]\nk=5\n"_ba;
    QTest::newRow("append in CRLF file")
        << "[A]\r\nx=1\r\n\r\n[B]\r\n"_ba << "A"_ba << u"5"_s
        << "[A]\r\nx=1\r\nk=5\r\n\r\n[B]\r\n"_ba;

    // Appending a new section.
    QTest::newRow("new section")
        << "[A]\nx=1\n"_ba << "N"_ba << u"5"_s << "[A]\nx=1\n[N]\nk=5\n"_ba;
    QTest::newRow("new section after blank lines")
        << "[A]\nx=1\n\n"_ba << "N"_ba << u"5"_s << "[A]\nx=1\n\n[N]\nk=5\n"_ba;
    QTest::newRow("new section in CRLF file")
        << "[A]\r\nx=1\r\n"_ba << "N"_ba << u"5"_s << "[A]\r\nx=1\r\n[N]\r\nk=5\r\n"_ba;
    QTest::newRow("new section after CRLF line without ending")
        << "[A]\r\nx=1"_ba << "N"_ba << u"5"_s << "[A]\r\nx=1\r\n[N]\r\nk=5\r\n"_ba;
    QTest::newRow("first line ending decides")
        << "[A]\r\nx=1\ny=2\n"_ba << "N"_ba << u"5"_s << "[A]\r\nx=1\ny=2\n[N]\r\nk=5\r\n"_ba;
    QTest::newRow("ending-less file gets LF")
        << "; note"_ba << "N"_ba << u"5"_s << "; note\n[N]\nk=5\n"_ba;
    QTest::newRow("empty file") << QByteArray() << "N"_ba << u"5"_s << "[N]\nk=5\n"_ba;
    QTest::newRow("key before any section is not reused")
        << "k=1\n"_ba << "N"_ba << u"5"_s << "k=1\n[N]\nk=5\n"_ba;
    QTest::newRow("unclosed header is no section")
        << "[N\n"_ba << "N"_ba << u"5"_s << "[N\n[N]\nk=5\n"_ba;
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    IniFile ini = IniFile::fromBytes(before);
    QVERIFY(ini.setValue(section, "k", value));
    QCOMPARE(ini.value(section, "k"), value);
    QCOMPARE(ini.toBytes(), after);
    QCOMPARE(IniFile::fromBytes(after).value(section, "k"), value);
}

void TestIniFile::rewriteKeepsEveryOtherByte()
{
    // Everything a person or another program may have put there; odd bytes include NUL,
    // invalid UTF-8 and a lone CR.
    const QByteArray before = "; Vendalo values\r\n"
                              "# edited by hand\r\n"
                              "\r\n"
                              "[GeneralValues]\r\n"
                              "  Precision = 12  \r\n"
                              "Unknown=kept \xFF\xFE as is\r\n"
                              "no equals sign here\r\n"
                              "\tAngle\t=\tdeg\r\n"
                              "\r\n"
                              "[Plugins]\r\n"
                              "odd=\x01\x00\x7F\xC0\xAF\rbytes\r\n"
                              "\xE9t\xE9=latin-1\n"
                              "\r\n"
                              "[InitialValues]\r\n"
                              "Memory=0\r\n"
                              "; no final line ending"_ba;
    const QByteArray expected = "; Vendalo values\r\n"
                                "# edited by hand\r\n"
                                "\r\n"
                                "[GeneralValues]\r\n"
                                "Precision=10\r\n"
                                "Unknown=kept \xFF\xFE as is\r\n"
                                "no equals sign here\r\n"
                                "Angle=rad\r\n"
                                "Rounding=half up\r\n"
                                "\r\n"
                                "[Plugins]\r\n"
                                "odd=\x01\x00\x7F\xC0\xAF\rbytes\r\n"
                                "\xE9t\xE9=latin-1\n"
                                "\r\n"
                                "[InitialValues]\r\n"
                                "Memory=5\r\n"
                                "; no final line ending\r\n"
                                "Display=\xC2\xB1 0\r\n"
                                "[Window]\r\n"
                                "Width=640\r\n"_ba;

    IniFile ini = IniFile::fromBytes(before);
    QCOMPARE(ini.toBytes(), before);
    QVERIFY(ini.setValue("generalvalues", "PRECISION", u"10"_s));
    QVERIFY(ini.setValue("GeneralValues", "Angle", u"rad"_s));
    QVERIFY(ini.setValue("GeneralValues", "Rounding", u"half up"_s));
    QVERIFY(ini.setValue("InitialValues", "Memory", u"5"_s));
    QVERIFY(ini.setValue("InitialValues", "Display", u"± 0"_s));
    QVERIFY(ini.setValue("Window", "Width", u"640"_s));
    QCOMPARE(ini.toBytes(), expected);
}

void TestIniFile::buildFromNothing()
{
    IniFile ini;
    QVERIFY(ini.setValue("GeneralValues", "Precision", u"12"_s));
    QVERIFY(ini.setValue("GeneralValues", "Angle", u"deg"_s));
    QVERIFY(ini.setValue("InitialValues", "Memory", u"0"_s));
    QVERIFY(ini.setValue("InitialValues", "Display", u"1"_s));
    // Later writes go to their own section, and a key written twice stays one line.
    QVERIFY(ini.setValue("GeneralValues", "Rounding", u"up"_s));
    QVERIFY(ini.setValue("generalvalues", "precision", u"10"_s));
    QVERIFY(ini.setValue("InitialValues", "Display", u"2"_s));

    const QByteArray expected = "[GeneralValues]\n"
                                "Precision=10\n"
                                "Angle=deg\n"
                                "Rounding=up\n"
                                "[InitialValues]\n"
                                "Memory=0\n"
                                "Display=2\n"_ba;
    QCOMPARE(ini.toBytes(), expected);
}

void TestIniFile::writtenValueCannotBreakFile_data()
{
    // CR and LF are stripped, not refused: see IniFile::setValue().
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("LF") << u"a\nb"_s << "ab"_ba;
    QTest::newRow("CRLF") << u"a\r\nb"_s << "ab"_ba;
    QTest::newRow("lone CR") << u"a\rb"_s << "ab"_ba;
    QTest::newRow("header injection") << u"1\n[Evil]\nx=2"_s << "1[Evil]x=2"_ba;
    QTest::newRow("only line breaks") << u"\r\n\n"_s << QByteArray();
    QTest::newRow("surrounding whitespace") << u" \t7 \n"_s << "7"_ba;
}

void TestIniFile::writtenValueCannotBreakFile()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, stored);

    IniFile ini = IniFile::fromBytes("[S]\nk=1\nj=2\n"_ba);
    QVERIFY(ini.setValue("S", "k", value));   // rewritten in place
    QVERIFY(ini.setValue("S", "new", value)); // appended
    const QByteArray bytes = ini.toBytes();
    QCOMPARE(bytes, "[S]\nk=" + stored + "\nj=2\nnew=" + stored + "\n");

    const IniFile reread = IniFile::fromBytes(bytes);
    QVERIFY(!reread.contains("Evil", "x"));
    QCOMPARE(reread.value("S", "k"), QString::fromUtf8(stored));
    QCOMPARE(ini.value("S", "k"), reread.value("S", "k"));
}

void TestIniFile::invalidNamesAreRefused_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");

    QTest::newRow("empty section") << QByteArray() << "k"_ba;
    QTest::newRow("padded section") << "S "_ba << "k"_ba;
    QTest::newRow("section with ']'") << "S]x"_ba << "k"_ba;
    QTest::newRow("section with LF") << "S\n"_ba << "k"_ba;
    QTest::newRow("empty key") << "S"_ba << QByteArray();
    QTest::newRow("padded key") << "S"_ba << "\tk"_ba;
    QTest::newRow("key with '='") << "S"_ba << "k=1"_ba;
    QTest::newRow("key with CR") << "S"_ba << "k\rj"_ba;
    QTest::newRow("key with LF") << "S"_ba << "k\n[X]"_ba;
    QTest::newRow("key starting ';'") << "S"_ba << ";k"_ba;
    QTest::newRow("key starting '#'") << "S"_ba << "#k"_ba;
    QTest::newRow("key starting '['") << "S"_ba << "[k]"_ba;
}

void TestIniFile::invalidNamesAreRefused()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);

    const QByteArray before = "[S]\nk=1\n"_ba;
    IniFile ini = IniFile::fromBytes(before);
    QVERIFY(!ini.setValue(section, key, u"2"_s));
    QCOMPARE(ini.toBytes(), before);
    QCOMPARE(ini.value("S", "k"), u"1"_s);
}

void TestIniFile::hostileBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("key"); // looked up in section "S"
    QTest::addColumn<QString>("expected");

    const qsizetype mib = IniFile::maxFileSize;
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0') << "k"_ba << marker;
    QTest::newRow("random bytes") << randomBytes(64 * 1024, 1) << "k"_ba << marker;
    QTest::newRow("random bytes around a real key")
        << randomBytes(16 * 1024, 2) + "\n[S]\nk=found\n" + randomBytes(16 * 1024, 3) << "k"_ba
        << u"found"_s;
    QTest::newRow("NUL inside key lines")
        << "[S]\nk=a\0b\n\0=1\nj\0=2\n"_ba << "k"_ba << QString::fromUtf8("a\0b", 3);
    QTest::newRow("one enormous line") << QByteArray(mib, 'x') << "k"_ba << marker;
    QTest::newRow("one enormous value")
        << "[S]\nk=" + QByteArray(mib - 16, 'v') + "\n" << "k"_ba << QString(mib - 16, u'v');
    QTest::newRow("only LFs") << QByteArray(mib, '\n') << "k"_ba << marker;
    QTest::newRow("only CRs") << QByteArray(mib, '\r') << "k"_ba << marker;
    QTest::newRow("only '['") << QByteArray(mib, '[') << "k"_ba << marker;
    QTest::newRow("only '[]'") << repeated("[]", mib / 2) << "k"_ba << marker;
    QTest::newRow("only '='") << "[S]\n" + QByteArray(mib, '=') << "k"_ba << marker;
    QTest::newRow("a quarter million keys in one section")
        << "[S]\n" + repeated("a=1\n", 250'000) + "k=last\n" << "k"_ba << u"last"_s;
    QTest::newRow("a quarter million empty lines, then a key")
        << "[S]\n" + repeated("\n", 250'000) + "k=1\n" << "k"_ba << u"1"_s;
    QByteArray sections;
    for (int i = 0; i < 100'000; ++i)
        sections += "[s" + QByteArray::number(i) + "]\n";
    QTest::newRow("a hundred thousand sections") << sections + "[S]\nk=1\n" << "k"_ba << u"1"_s;
}

void TestIniFile::hostileBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, key);
    QFETCH(QString, expected);

    // A quadratic parser takes minutes on the largest rows; linear parsing takes
    // milliseconds, so the limit leaves room for slow or sanitizer builds.
    QElapsedTimer timer;
    timer.start();
    IniFile ini = IniFile::fromBytes(bytes);
    QCOMPARE(ini.value("S", key, marker), expected);
    QVERIFY(ini.toBytes() == bytes);

    QVERIFY(ini.setValue("Vendalo", "probe", u"1"_s));
    const QByteArray written = ini.toBytes();
    QVERIFY(written.startsWith(bytes));
    QVERIFY(written.endsWith("[Vendalo]\nprobe=1\n") ||
            written.endsWith("[Vendalo]\r\nprobe=1\r\n"));
    const IniFile reread = IniFile::fromBytes(written);
    QCOMPARE(reread.value("Vendalo", "probe"), u"1"_s);
    QCOMPARE(reread.value("S", key, marker), expected);
    QVERIFY2(timer.elapsed() < 20000, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
}

void TestIniFile::textOrNot_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("text");

    QByteArray noNul = randomBytes(32 * 1024, 4);
    noNul.replace('\0', 'x');
    QTest::newRow("invalid UTF-8, no NUL") << noNul + "\n[S]\nk=v\n" << true;
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF[S]\nk=v\n"_ba << true;
    const QString utf16 = u"[S]\r\nk=v\r\n"_s;
    QByteArray le("\xFF\xFE", 2);
    QByteArray be("\xFE\xFF", 2);
    for (QChar c : utf16) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    QTest::newRow("UTF-16 LE with BOM") << le << false;
    QTest::newRow("UTF-16 BE with BOM") << be << false;
    QTest::newRow("UTF-16 LE without BOM") << le.sliced(2) << false;
    QTest::newRow("NUL bytes after the keys") << "[S]\nk=v\n"_ba + QByteArray(256, '\0') << false;
}

// A file read as text keeps every byte; one in a wider encoding is not the
// service's to read or to write into, so it neither yields keys nor gets
// single-byte sections appended to it.
void TestIniFile::textOrNot()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    QVERIFY(writeFile(path, bytes));

    auto status = IniFile::LoadStatus::Missing;
    IniFile ini = IniFile::load(path, &status);
    QCOMPARE(status, text ? IniFile::LoadStatus::Loaded : IniFile::LoadStatus::NotText);
    QCOMPARE(ini.value("S", "k", marker), text ? u"v"_s : marker);
    if (text)
        QVERIFY(ini.toBytes() == bytes);
}

void TestIniFile::neverWritesWhatItWillNotRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);

    // Just under the cap: readable. A save that would take it past the cap
    // is refused and the readable file stays.
    QByteArray bytes = "[S]\nk=v\n"_ba;
    bytes += "; " + QByteArray(IniFile::maxFileSize - bytes.size() - 300, '-') + "\n";
    QVERIFY(writeFile(path, bytes));
    IniFile ini = IniFile::load(path);
    QCOMPARE(ini.value("S", "k"), u"v"_s);
    QVERIFY(ini.setValue("S", "grow", QString(400, u'x')));
    QString error;
    QVERIFY(!ini.save(path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(path), bytes);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});

    // A save that stays within it goes through and reads back.
    QVERIFY(ini.setValue("S", "grow", QString(200, u'x')));
    QVERIFY2(ini.save(path, &error), qPrintable(error));
    QCOMPARE(IniFile::load(path).value("S", "grow"), QString(200, u'x'));
}

void TestIniFile::fileSizeLimitFailsSaveWithoutKilling()
{
    // Run in a child process: with SIGXFSZ at its default, the kernel ends
    // a process that writes past its file-size limit.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    const QByteArray old = "[S]\nk=old\n"_ba;
    QVERIFY(writeFile(path, old));

    QProcess writer;
    writer.start(u"/bin/sh"_s, {u"-c"_s, u"ulimit -f 1 && exec \"$0\" \"$1\" limited"_s,
                                QString::fromUtf8(INI_WRITER), path});
    QVERIFY2(writer.waitForFinished(20000), qPrintable(writer.errorString()));
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit); // not killed by SIGXFSZ
    QCOMPARE(writer.exitCode(), 3);                      // the save reported its failure
    QCOMPARE(readFile(path), old);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});
}

void TestIniFile::leftoverTemporariesAreRemoved()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-1);
    const auto plant = [&](const QString &name, const QDateTime &when) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[S]\nk=torn");
        f.flush();
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
    };
    plant(u"vdl.ini.Ab3xY9"_s, longAgo);
    plant(u"vdl.ini.q1w2e3"_s, longAgo);
    plant(u"vdl.ini.fresh1"_s, QDateTime::currentDateTime()); // another copy may be saving now
    plant(u"vdl.ini.bak"_s, longAgo);                          // not the pattern
    plant(u"vdl.ini.Ab3xY9z"_s, longAgo);                      // seven characters
    plant(u"vdl.ini.ab-cd1"_s, longAgo);                       // not letters and digits
    plant(u"other.ini.Ab3xY9"_s, longAgo);

    IniFile ini;
    QVERIFY(ini.setValue("S", "k", u"v"_s));
    QVERIFY(ini.save(path));
    QStringList kept = folderEntries(dir.path());
    kept.sort();
    QCOMPARE(kept, (QStringList{u"other.ini.Ab3xY9"_s, u"vdl.ini"_s, u"vdl.ini.Ab3xY9z"_s,
                                u"vdl.ini.ab-cd1"_s, u"vdl.ini.bak"_s, u"vdl.ini.fresh1"_s}));

}

void TestIniFile::sizeCap()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);

    // A real value file padded with comments to exactly the cap is still read...
    QByteArray bytes = "[S]\nk=v\n"_ba;
    const QByteArray comment = "; " + QByteArray(97, '-') + "\n";
    while (bytes.size() + comment.size() <= IniFile::maxFileSize)
        bytes += comment;
    bytes += QByteArray(IniFile::maxFileSize - bytes.size() - 1, ';') + "\n";
    QCOMPARE(bytes.size(), IniFile::maxFileSize);
    QVERIFY(writeFile(path, bytes));
    auto status = IniFile::LoadStatus::Missing;
    QCOMPARE(IniFile::load(path, &status).value("S", "k", marker), u"v"_s);
    QCOMPARE(status, IniFile::LoadStatus::Loaded);

    // ...one byte more and none of it is used.
    QVERIFY(writeFile(path, bytes + "\n"));
    const IniFile ini = IniFile::load(path, &status);
    QCOMPARE(status, IniFile::LoadStatus::TooLarge);
    QCOMPARE(ini.value("S", "k", marker), marker);
    QCOMPARE(ini.toBytes(), QByteArray());
}

void TestIniFile::unreadablePaths_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << u"directory"_s;
    QTest::newRow("named pipe") << u"fifo"_s; // opening one would block
    QTest::newRow("device") << u"device"_s;   // /dev/zero never ends
}

void TestIniFile::unreadablePaths()
{
    QFETCH(QString, kind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(u"vdl.ini"_s);
    if (kind == u"directory") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        path = u"/dev/zero"_s;
        QVERIFY(QFileInfo::exists(path));
    }

    auto status = IniFile::LoadStatus::Loaded;
    const IniFile ini = IniFile::load(path, &status);
    QCOMPARE(status, IniFile::LoadStatus::Unreadable);
    QCOMPARE(ini.value("S", "k", marker), marker);
}

void TestIniFile::saveReplacesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);

    IniFile ini;
    QVERIFY(ini.setValue("GeneralValues", "Precision", u"12"_s));
    QString error;
    QVERIFY2(ini.save(path, &error), qPrintable(error));
    QCOMPARE(readFile(path), "[GeneralValues]\nPrecision=12\n"_ba);

    const QByteArray old = "; mine\r\n[GeneralValues]\r\nPrecision=12\r\n[Other]\r\nx=\xFF\r\n"_ba;
    QVERIFY(writeFile(path, old));
    auto status = IniFile::LoadStatus::Missing;
    ini = IniFile::load(path, &status);
    QCOMPARE(status, IniFile::LoadStatus::Loaded);
    QVERIFY(ini.setValue("GeneralValues", "Precision", u"8"_s));
    QVERIFY2(ini.save(path, &error), qPrintable(error));
    QCOMPARE(readFile(path),
             "; mine\r\n[GeneralValues]\r\nPrecision=8\r\n[Other]\r\nx=\xFF\r\n"_ba);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});
}

void TestIniFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<qint64>("budget"); // below 0: counted back from the new content's size
    QTest::addColumn<FailingSaveFile::Failure>("failure");
    QTest::addColumn<bool>("succeeds");

    using F = FailingSaveFile::Failure;
    QTest::newRow("error at once") << qint64(0) << F::Error << false;
    QTest::newRow("error mid-way") << qint64(1000) << F::Error << false;
    QTest::newRow("error on the last byte") << qint64(-1) << F::Error << false;
    QTest::newRow("short write mid-way") << qint64(1000) << F::ShortWrite << false;
    QTest::newRow("short write on the last byte") << qint64(-1) << F::ShortWrite << false;
    QTest::newRow("room enough") << (qint64(1) << 40) << F::Error << true; // the fixture works
}

void TestIniFile::failedWriteKeepsOldFile()
{
    QFETCH(qint64, budget);
    QFETCH(FailingSaveFile::Failure, failure);
    QFETCH(bool, succeeds);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    const QByteArray old = "[GeneralValues]\r\nPrecision=12\r\n; keep me \xFF\r\n"_ba;
    QVERIFY(writeFile(path, old));
    const QByteArray bytes = "[GeneralValues]\nPrecision=" + QByteArray(40'000, '9') + "\n";
    if (budget < 0)
        budget += bytes.size();

    FailingSaveFile file(path, budget, failure);
    QString error;
    QCOMPARE(IniFile::writeAtomically(file, bytes, &error), succeeds);
    QVERIFY(!file.isOpen()); // finished either way: nothing left that a later commit() could save
    QCOMPARE(readFile(path), succeeds ? bytes : old);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s}); // no temporary file left
    if (!succeeds) {
        QVERIFY(!error.isEmpty());
        if (failure == FailingSaveFile::Failure::Error)
            QCOMPARE(error, u"disk full"_s);
    }
}

void TestIniFile::saveErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing folder") << u"missing folder"_s;
    QTest::newRow("directory at the path") << u"directory"_s;
}

void TestIniFile::saveErrors()
{
    QFETCH(QString, kind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = kind == u"directory" ? dir.path() : dir.filePath(u"missing"_s);
    const QString path = folder + u"/vdl.ini"_s;
    if (kind == u"directory")
        QVERIFY(QDir().mkdir(path));

    IniFile ini;
    QVERIFY(ini.setValue("S", "k", u"v"_s));
    QString error;
    QVERIFY(!ini.save(path, &error));
    QVERIFY(!error.isEmpty());
    if (kind == u"directory") {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});
    } else {
        QVERIFY(!QFileInfo::exists(folder)); // folders are the caller's business
    }
}

void TestIniFile::failedCommitIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    QVERIFY(writeFile(path, "[S]\nk=old\n"_ba));

    TargetTakenSaveFile file(path);
    QString error;
    QVERIFY(!IniFile::writeAtomically(file, "[S]\nk=new\n"_ba, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path).isDir()); // the sabotage did happen
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});
}

void TestIniFile::killedWriterLeavesCompleteFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    const int keys = 400;
    const QByteArray contents[2] = {writerContent(0, keys).toBytes(),
                                    writerContent(1, keys).toBytes()};
    QVERIFY(contents[0].size() > 64 * 1024 && contents[1].size() < IniFile::maxFileSize);

    // Each writer is killed at a random moment within its second to fourth
    // save, measured by how long its first save took: while it writes the
    // temporary file, syncs it, renames it or clears old temporaries.
    constexpr int kills = 200;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    int found[2] = {0, 0};
    QSet<QString> leftoversSeen;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess writer;
        writer.start(QString::fromUtf8(INI_WRITER), {path, QString::number(keys)});
        QVERIFY2(writer.waitForStarted(5000), qPrintable(writer.errorString()));
        QVERIFY(writer.waitForReadyRead(5000)); // the first save is on disk
        const QList<QByteArray> first = writer.readLine().trimmed().split(' ');
        QCOMPARE(first.size(), 2);
        const qint64 saveMicros = std::max<qint64>(first.at(1).toLongLong(), 50);
        const qint64 delay = qint64(random.bounded(quint32(3 * saveMicros)));
        QThread::usleep(quint64(delay));
        writer.kill();
        QVERIFY(writer.waitForFinished(5000));
        // Still saving when killed, not stopped by an error of its own.
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit, writer.readAllStandardError());

        auto status = IniFile::LoadStatus::Missing;
        const IniFile ini = IniFile::load(path, &status);
        QCOMPARE(status, IniFile::LoadStatus::Loaded);
        QCOMPARE(ini.value("Check", "count"), QString::number(keys));
        const QByteArray onDisk = readFile(path);
        const int which = onDisk == contents[0] ? 0 : onDisk == contents[1] ? 1 : -1;
        QVERIFY2(which >= 0, qPrintable(u"torn file of %1 bytes after kill %2, %3 us into a save of %4 us"_s
                                            .arg(onDisk.size())
                                            .arg(kill)
                                            .arg(delay)
                                            .arg(saveMicros)));
        ++found[which];
        for (const QString &name : folderEntries(dir.path())) {
            if (IniFile::isLeftoverTemporary(name, u"vdl.ini"_s))
                leftoversSeen.insert(name);
        }
    }
    qInfo("%d kills: old or new content %d and %d times, %d leftover temporaries seen", kills,
          found[0], found[1], int(leftoversSeen.size()));
    // The kills did land at different moments: both contents were found.
    QVERIFY(found[0] > 0 && found[1] > 0);

    // A kill between linking the new content under a temporary name and the rename leaves that
    // name behind; the next save clears it once it is old enough not to be another save's.
    for (const QString &name : folderEntries(dir.path())) {
        if (!IniFile::isLeftoverTemporary(name, u"vdl.ini"_s))
            continue;
        QFile leftover(dir.filePath(name));
        QVERIFY(leftover.open(QIODevice::ReadWrite));
        QVERIFY(leftover.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                     QFileDevice::FileModificationTime));
    }
    QVERIFY(IniFile::load(path).save(path));
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});
}

void TestIniFile::concurrentSavesLeaveOneCompleteFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"vdl.ini"_s);
    const int keys = 400;
    const QByteArray contents[2] = {writerContent(0, keys).toBytes(),
                                    writerContent(1, keys).toBytes()};
    QVERIFY(writeFile(path, contents[0]));

    // Two copies saving 40 times each, at the same time; meanwhile every read
    // of the file finds one whole content.
    QProcess writers[2];
    for (int g = 0; g < 2; ++g) {
        writers[g].start(QString::fromUtf8(INI_WRITER),
                         {path, QString::number(keys), QString::number(g), u"40"_s});
    }
    for (QProcess &writer : writers)
        QVERIFY2(writer.waitForStarted(5000), qPrintable(writer.errorString()));
    int reads = 0;
    while (writers[0].state() != QProcess::NotRunning ||
           writers[1].state() != QProcess::NotRunning) {
        const QByteArray onDisk = readFile(path);
        QVERIFY2(onDisk == contents[0] || onDisk == contents[1],
                 qPrintable(u"torn file of %1 bytes"_s.arg(onDisk.size())));
        ++reads;
        for (QProcess &writer : writers)
            writer.waitForFinished(1);
    }
    for (QProcess &writer : writers) {
        QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
        QVERIFY2(writer.exitCode() == 0, writer.readAllStandardError());
    }
    QVERIFY(reads > 0);
    const QByteArray last = readFile(path);
    QVERIFY(last == contents[0] || last == contents[1]); // the last rename won
    QCOMPARE(folderEntries(dir.path()), QStringList{u"vdl.ini"_s});
}

// A disk that fills up during the save, in a child process: a private mount
// namespace with a small memory file system as the folder. Skipped where the
// system allows no user namespaces.
void TestIniFile::fullDiskFailsSaveAndKeepsOldFile()
{
    if (QStandardPaths::findExecutable(u"unshare"_s).isEmpty())
        QSKIP("unshare is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString script = uR"(
        mount -t tmpfs -o size=64k tmpfs "$1" || exit 90
        printf '[S]\nk=old\n' > "$1/vdl.ini"
        dd if=/dev/zero of="$1/fill" bs=1024 count=60 2>/dev/null
        "$2" "$1/vdl.ini" limited
        echo "status $?"
        rm "$1/fill"
        ls -A "$1"
        cat "$1/vdl.ini"
    )"_s;
    QProcess child;
    child.start(u"unshare"_s, {u"--user"_s, u"--map-root-user"_s, u"--mount"_s, u"sh"_s, u"-c"_s,
                               script, u"sh"_s, dir.path(), QString::fromUtf8(INI_WRITER)});
    QVERIFY2(child.waitForFinished(20000), qPrintable(child.errorString()));
    if (child.exitCode() == 90 || child.readAllStandardError().contains("unshare"))
        QSKIP("no private mount namespace for a small file system here");
    const QByteArray out = child.readAllStandardOutput();
    QCOMPARE(out, "status 3\nvdl.ini\n[S]\nk=old\n"_ba);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
