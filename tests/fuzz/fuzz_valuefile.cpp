// libFuzzer target: the value file, loaded and saved the way the main window
// does it, with the program's own key table.
//
// The first byte picks the locale the numbers and dates are read and written
// in; the rest is the file. Checked for every input:
// - loading never fails and gives every key a value of its form;
// - saving works whenever loading could read the file, and the saved file
//   loads again with the same values;
// - a second save of those values writes the same bytes again;
// - every line that is not one of the program's keys survives the save byte
//   for byte and in order;
// - the saved file is at most a few kilobytes longer than the one read.

#include "IniFile.h"
#include "ValueFile.h"
#include "ValueSets.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &detail = {})
{
    std::fprintf(stderr, "fuzz_valuefile: %s\n%s\n", what, detail.constData());
    std::abort();
}

void require(bool condition, const char *what, const QByteArray &detail = {})
{
    if (!condition)
        fail(what, detail);
}

const QLocale &pickLocale(unsigned char selector)
{
    static const QLocale locales[] = {
        QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
        QLocale(QStringLiteral("ar_EG")), QLocale(QStringLiteral("he_IL")),
        QLocale(QStringLiteral("fr_FR")), QLocale(QStringLiteral("fa_IR")),
        QLocale(QStringLiteral("hi_IN")), QLocale::c(),
        QLocale(QStringLiteral("ee_GH")), // day periods of uneven length
    };
    return locales[selector % std::size(locales)];
}

StoredValues defaults()
{
    StoredValues d = sampleValues();
    d.insert(QLatin1StringView(stateValueSet), 1);
    d.insert(QLatin1StringView(stateStartupMonth), QString());
    d.insert(QLatin1StringView(stateHasRun), false);
    d.insert(QLatin1StringView(stateLastUpdate), QDateTime(QDate(2026, 6, 15), QTime(9, 30, 5)));
    return d;
}

bool writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of `bytes`, each with its own line ending.
QList<QByteArrayView> lines(QByteArrayView bytes)
{
    QList<QByteArrayView> out;
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', begin);
        const qsizetype end = lf < 0 ? bytes.size() : lf + 1;
        out.append(bytes.sliced(begin, end - begin));
        begin = end;
    }
    return out;
}

QByteArray folded(QByteArrayView name)
{
    QByteArray out(name.data(), name.size());
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// True for a line that may be a "key=value" line of one of the program's keys:
// only those may be rewritten by a save.
bool mayBeKnownKeyLine(QByteArrayView line)
{
    static const QSet<QByteArray> known = [] {
        QSet<QByteArray> names;
        for (const ValueKey &key : valueKeys())
            names.insert(folded(QByteArrayView(key.key)));
        return names;
    }();
    QByteArrayView text = line;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    const qsizetype eq = text.indexOf('=');
    return eq > 0 && known.contains(folded(text.first(eq).trimmed()));
}

// Every line of `before` that is not one of the program's key lines is in
// `after`, unchanged and in the same order. The last line of `before` may
// have gained a line ending, when something was added after it.
void checkOtherLinesKept(QByteArrayView before, QByteArrayView after)
{
    const QList<QByteArrayView> in = lines(before);
    const QList<QByteArrayView> out = lines(after);
    qsizetype next = 0; // first line of `out` not yet matched
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QByteArrayView line = in.at(i);
        if (mayBeKnownKeyLine(line))
            continue; // may be rewritten, or be kept where a repeated key is
        const bool last = i == in.size() - 1 && !line.endsWith('\n');
        qsizetype j = next;
        for (; j < out.size(); ++j) {
            const QByteArrayView candidate = out.at(j);
            if (candidate == line)
                break;
            if (last && candidate.startsWith(line) &&
                (candidate.sliced(line.size()) == "\n" || candidate.sliced(line.size()) == "\r\n"))
                break;
        }
        if (j < out.size()) {
            next = j + 1;
        } else {
            fail("a line that is none of the program's keys was lost or changed",
                 line.toByteArray().toPercentEncoding() + "\nin the saved file:\n" +
                     after.toByteArray());
        }
    }
}

// A number as the file writes it: two values that write the same text are the
// same value as far as the file can tell.
QString inFileForm(const ValueKey &key, const QVariant &value, const QLocale &locale)
{
    switch (key.form) {
    case ValueForm::Number:
    case ValueForm::WholeNumber:
        return numberText(value.toDouble(), locale);
    case ValueForm::Flag:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case ValueForm::Text:
        return value.toString();
    case ValueForm::DateTime:
        return value.toDateTime().toString(Qt::ISODate);
    }
    return {};
}

bool typeFits(const ValueKey &key, const QVariant &value)
{
    switch (key.form) {
    case ValueForm::Number:
        return value.typeId() == QMetaType::Double;
    case ValueForm::WholeNumber:
        return value.typeId() == QMetaType::Int;
    case ValueForm::Flag:
        return value.typeId() == QMetaType::Bool;
    case ValueForm::Text:
        return value.typeId() == QMetaType::QString;
    case ValueForm::DateTime:
        return value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid();
    }
    return false;
}

void checkValues(const StoredValues &values)
{
    for (const ValueKey &key : valueKeys()) {
        const QVariant value = values.value(QLatin1StringView(key.target));
        require(typeFits(key, value), "a loaded value has the wrong type", key.key);
        if (key.form == ValueForm::Number)
            require(std::isfinite(value.toDouble()), "a loaded number is not finite", key.key);
    }
}

void compareValues(const StoredValues &a, const StoredValues &b, const QLocale &locale)
{
    for (const ValueKey &key : valueKeys()) {
        const QString target = QLatin1StringView(key.target);
        const QString first = inFileForm(key, a.value(target), locale);
        const QString second = inFileForm(key, b.value(target), locale);
        require(first == second, "a saved value loads back different",
                QByteArray(key.key) + ": " + first.toUtf8() + " -> " + second.toUtf8());
    }
}

struct Workspace
{
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/fuzz_valuefile-XXXXXX")};
    QString path = dir.filePath(QStringLiteral("vdl.ini"));
};

Workspace &workspace()
{
    // Files in memory where the system has a place for them: thousands of
    // saves a second would wear a disk for nothing.
    static const bool inMemory = [] {
        if (QDir(QStringLiteral("/dev/shm")).exists())
            qputenv("TMPDIR", "/dev/shm");
        return true;
    }();
    static Workspace w;
    require(inMemory && w.dir.isValid(), "no temporary folder");
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QLocale &locale = pickLocale(data[0]);
    const QByteArrayView input(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const QString path = workspace().path;
    const ValueFile file(path, locale);
    static const StoredValues fallback = defaults();

    require(writeFile(path, input), "cannot write the input file");
    IniFile::LoadStatus status;
    IniFile::load(path, &status);
    const StoredValues loaded = file.load(fallback);
    checkValues(loaded);

    const bool saved = file.save(loaded);
    const QByteArray afterSave = readFile(path);
    if (status != IniFile::LoadStatus::Loaded) {
        // A file the program cannot read is never written over.
        require(!saved, "a file that could not be read was written over");
        require(afterSave == input, "a failed save changed the file");
        return 0;
    }
    if (!saved) {
        // Only a file grown past the size cap is refused.
        require(input.size() + 4096 > IniFile::maxFileSize, "the save failed");
        require(afterSave == input, "a failed save changed the file");
        return 0;
    }
    require(afterSave.size() <= input.size() + 4096, "the saved file grew without bound");
    checkOtherLinesKept(input, afterSave);

    IniFile::load(path, &status);
    require(status == IniFile::LoadStatus::Loaded, "the saved file does not load");
    const StoredValues reloaded = file.load(fallback);
    checkValues(reloaded);
    compareValues(loaded, reloaded, locale);

    require(file.save(reloaded), "the second save failed");
    const QByteArray afterSecondSave = readFile(path);
    require(afterSecondSave == afterSave, "a second save of the same values changed the file",
            afterSave.toPercentEncoding() + "\n" + afterSecondSave.toPercentEncoding());
    return 0;
}
