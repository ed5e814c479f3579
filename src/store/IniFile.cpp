#include "IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csignal>
#include <utility>

namespace {

// Notepad and friends put one in front of UTF-8 files; it must not hide the first header.
constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");

// Only ASCII letters fold. The bytes of a UTF-8 sequence must never compare equal to other
// bytes, which Latin-1 folding (what QByteArrayView::compare does) would allow.
char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    }
    return true;
}

bool isValidName(QByteArrayView name)
{
    return !name.isEmpty() && name.trimmed().size() == name.size() && !name.contains('\r') &&
           !name.contains('\n');
}

bool isValidSectionName(QByteArrayView name)
{
    return isValidName(name) && !name.contains(']');
}

bool isValidKeyName(QByteArrayView name)
{
    // A leading ';' or '#' would read back as a comment, a leading '[' as a header attempt.
    return isValidName(name) && !name.contains('=') && name.front() != ';' && name.front() != '#' &&
           name.front() != '[';
}

// Text in a two- or four-byte encoding: the service reads and writes single bytes, so it
// would neither find a key in such a file nor write one it could read back.
bool looksLikeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") ||
        bytes.startsWith(QByteArrayView("\x00\x00\xFE\xFF", 4)))
        return false;
    return !bytes.contains('\0');
}

// While a save writes, a file-size limit must fail the write, not end the
// program: with SIGXFSZ at its default the kernel kills the process instead.
class FileSizeSignalIgnored
{
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        m_active = sigaction(SIGXFSZ, &ignore, &m_saved) == 0;
    }
    ~FileSizeSignalIgnored()
    {
        if (m_active)
            sigaction(SIGXFSZ, &m_saved, nullptr);
    }
    FileSizeSignalIgnored(const FileSizeSignalIgnored &) = delete;
    FileSizeSignalIgnored &operator=(const FileSizeSignalIgnored &) = delete;

private:
    struct sigaction m_saved = {};
    bool m_active = false;
};

// A temporary file younger than this may belong to another copy of the program that is saving
// at this very moment; it is left alone.
constexpr qint64 leftoverAgeSeconds = 60;

void removeLeftoverTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-leftoverAgeSeconds);
    const QStringList names =
        folder.entryList({info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (!IniFile::isLeftoverTemporary(name, info.fileName()))
            continue;
        const QFileInfo candidate(folder.filePath(name));
        if (!candidate.isSymLink() && candidate.lastModified().toUTC() < before)
            QFile::remove(candidate.filePath());
    }
}

} // namespace

bool IniFile::isLeftoverTemporary(const QString &fileName, const QString &target)
{
    if (fileName.size() != target.size() + 7 || !fileName.startsWith(target) ||
        fileName.at(target.size()) != QLatin1Char('.'))
        return false;
    for (qsizetype i = target.size() + 1; i < fileName.size(); ++i) {
        const char16_t c = fileName.at(i).unicode();
        const bool alnum = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') ||
                           (c >= u'A' && c <= u'Z');
        if (!alnum)
            return false;
    }
    return true;
}

QByteArray IniFile::foldedName(QByteArrayView name)
{
    QByteArray folded(name.data(), name.size());
    for (char &c : folded)
        c = foldAscii(c);
    return folded;
}

qsizetype IniFile::findSection(QByteArrayView name) const
{
    return m_sectionIndex.value(foldedName(name), -1);
}

qsizetype IniFile::findEntry(const Section &section, QByteArrayView key)
{
    // A linear scan: sections hold a handful of keys, and even a hostile file within the size
    // cap keeps each lookup to one pass over its entries.
    for (qsizetype i = 0; i < section.entries.size(); ++i) {
        if (sameName(section.entries.at(i).name, key))
            return i;
    }
    return -1;
}

IniFile IniFile::fromBytes(const QByteArray &bytes)
{
    IniFile ini;
    ini.m_source = bytes;
    const QByteArrayView all(ini.m_source);
    const qsizetype firstLf = all.indexOf('\n');
    ini.m_crlf = firstLf > 0 && all[firstLf - 1] == '\r';

    // Index of the section being read; -1 before the first header and inside a repeated
    // section, whose lines are kept but never looked at.
    qsizetype current = -1;
    qsizetype begin = 0;
    while (begin < all.size()) {
        const qsizetype lf = all.indexOf('\n', begin);
        const qsizetype end = lf < 0 ? all.size() : lf + 1;
        qsizetype contentEnd = lf < 0 ? all.size() : lf;
        if (lf > begin && all[lf - 1] == '\r')
            --contentEnd;
        QByteArrayView content = all.sliced(begin, contentEnd - begin);
        if (begin == 0 && content.startsWith(utf8Bom))
            content = content.sliced(utf8Bom.size());
        const QByteArrayView text = content.trimmed();

        if (text.isEmpty()) {
            // Blank lines are not part of any section: keys are appended before them.
        } else if (text.front() == '[' && text.contains(']')) {
            const QByteArrayView name = text.sliced(1, text.indexOf(']') - 1).trimmed();
            const QByteArray folded = foldedName(name);
            if (ini.m_sectionIndex.contains(folded)) {
                current = -1;
            } else {
                current = ini.m_sections.size();
                ini.m_sectionIndex.insert(folded, current);
                ini.m_sections.append(Section{QByteArray(name.data(), name.size()), end, {}});
            }
        } else if (current >= 0) {
            Section &section = ini.m_sections[current];
            section.appendAt = end; // comments and unparsable lines count as the section's too
            const qsizetype eq = text.indexOf('=');
            const bool isKeyLine =
                text.front() != ';' && text.front() != '#' && text.front() != '[';
            if (isKeyLine && eq > 0) {
                const QByteArrayView key = text.first(eq).trimmed();
                // A CR inside the line is dropped as setValue() drops it, so a
                // value read and written back reads the same.
                QByteArray value = text.sliced(eq + 1).toByteArray();
                value.removeIf([](char c) { return c == '\r'; });
                section.entries.append(Entry{QByteArray(key.data(), key.size()),
                                             std::move(value).trimmed(), begin, contentEnd, false});
            }
        }
        begin = end;
    }
    return ini;
}

IniFile IniFile::load(const QString &path, LoadStatus *status)
{
    const auto finish = [status](LoadStatus result, IniFile ini = {}) {
        if (status)
            *status = result;
        return ini;
    };

    const QFileInfo info(path);
    if (!info.exists())
        return finish(LoadStatus::Missing);
    // Checked before opening: opening a pipe would block until someone writes to it.
    if (!info.isFile())
        return finish(LoadStatus::Unreadable);
    if (info.size() > maxFileSize)
        return finish(LoadStatus::TooLarge);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return finish(LoadStatus::Unreadable);
    // The size seen above may be stale (or 0 for /proc-like files), so reading is capped too.
    QByteArray bytes;
    while (bytes.size() <= maxFileSize) {
        const QByteArray chunk = file.read(maxFileSize + 1 - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return finish(LoadStatus::Unreadable);
    if (bytes.size() > maxFileSize)
        return finish(LoadStatus::TooLarge);
    if (!looksLikeText(bytes))
        return finish(LoadStatus::NotText);
    return finish(LoadStatus::Loaded, fromBytes(bytes));
}

QString IniFile::value(QByteArrayView section, QByteArrayView key,
                       const QString &defaultValue) const
{
    const qsizetype s = findSection(section);
    if (s < 0)
        return defaultValue;
    const qsizetype e = findEntry(m_sections.at(s), key);
    return e < 0 ? defaultValue : QString::fromUtf8(m_sections.at(s).entries.at(e).value);
}

bool IniFile::contains(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype s = findSection(section);
    return s >= 0 && findEntry(m_sections.at(s), key) >= 0;
}

bool IniFile::setValue(QByteArrayView section, QByteArrayView key, const QString &value)
{
    if (!isValidSectionName(section) || !isValidKeyName(key))
        return false;

    // Line breaks are removed rather than refused: the value stays usable, and the file keeps
    // one line per key whatever the caller passes.
    QByteArray bytes = value.toUtf8();
    bytes.removeIf([](char c) { return c == '\r' || c == '\n'; });
    bytes = std::move(bytes).trimmed();

    qsizetype s = findSection(section);
    if (s < 0) {
        s = m_sections.size();
        m_sectionIndex.insert(foldedName(section), s);
        m_sections.append(Section{QByteArray(section.data(), section.size()), -1, {}});
    }
    Section &target = m_sections[s];
    const qsizetype e = findEntry(target, key);
    if (e < 0) {
        target.entries.append(Entry{QByteArray(key.data(), key.size()), bytes, -1, -1, true});
    } else {
        Entry &entry = target.entries[e];
        entry.value = bytes;
        entry.rewritten = true;
    }
    return true;
}

QByteArray IniFile::toBytes() const
{
    const QByteArrayView eol = m_crlf ? QByteArrayView("\r\n") : QByteArrayView("\n");
    QByteArray out;
    out.reserve(m_source.size());
    qsizetype copied = 0; // m_source is copied up to here
    const auto copyUpTo = [&](qsizetype offset) {
        out.append(m_source.constData() + copied, offset - copied);
        copied = offset;
    };
    // Before adding a line after the file's last one, when that has no line ending.
    const auto endLastLine = [&] {
        if (!out.isEmpty() && !out.endsWith('\n'))
            out.append(eol);
    };
    const auto appendAdded = [&](const Section &section) {
        for (const Entry &entry : section.entries) {
            if (entry.lineBegin < 0)
                out.append(entry.name).append('=').append(entry.value).append(eol);
        }
    };

    // The file's own sections come in file order and each one's lines and appendAt lie before
    // the next one's header, so one forward pass over m_source places every change.
    for (const Section &section : m_sections) {
        if (section.appendAt < 0)
            continue;
        bool hasAdded = false;
        for (const Entry &entry : section.entries) {
            if (entry.lineBegin < 0) {
                hasAdded = true;
            } else if (entry.rewritten) {
                copyUpTo(entry.lineBegin);
                out.append(entry.name).append('=').append(entry.value);
                copied = entry.contentEnd; // the line's own ending is copied with what follows
            }
        }
        if (hasAdded) {
            copyUpTo(section.appendAt);
            endLastLine();
            appendAdded(section);
        }
    }
    copyUpTo(m_source.size());

    for (const Section &section : m_sections) {
        if (section.appendAt >= 0)
            continue;
        endLastLine();
        out.append('[').append(section.name).append(']').append(eol);
        appendAdded(section);
    }
    return out;
}

bool IniFile::save(const QString &path, QString *errorString) const
{
    const QByteArray bytes = toBytes();
    if (bytes.size() > maxFileSize) {
        if (errorString)
            *errorString = QStringLiteral("The file would grow past %1 bytes").arg(maxFileSize);
        return false;
    }
    QSaveFile file(path);
    if (!writeAtomically(file, bytes, errorString))
        return false;
    removeLeftoverTemporaries(path);
    return true;
}

bool IniFile::writeAtomically(QSaveFile &file, const QByteArray &bytes, QString *errorString)
{
    const auto fail = [&] {
        if (errorString)
            *errorString = file.errorString();
        return false;
    };

    const FileSizeSignalIgnored noKillOnSizeLimit;
    // Falling back to writing the target in place would make a crash leave half a file.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // Qt reports a write cut short by a full disk or a file-size limit as a
    // success, so the size on disk is checked as well.
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written || file.size() != bytes.size()) {
        fail(); // the write's own error, before cancelWriting() replaces it
        if (written && errorString)
            *errorString = QStringLiteral("Only part of the file could be written");
        file.cancelWriting();
        file.commit(); // a cancelled commit removes the temporary file and keeps the target
        return false;
    }
    if (!file.commit())
        return fail();
    return true;
}
