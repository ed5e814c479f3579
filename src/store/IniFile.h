#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

class QSaveFile;

// The program's value file, vdl.ini: "[Section]" headers holding "key=value" lines. It is read
// once at start and written once at exit.
//
// Writing never re-renders the file: the bytes that were read are kept, and only the lines the
// program rewrites or adds are spliced in. Comments, blank lines, keys and sections this program
// does not know, invalid UTF-8 and the file's own line endings therefore come back byte for byte.
//
// Names match with ASCII case folding only; with repeated sections or keys the first one counts,
// for reading and for writing alike.
class IniFile
{
public:
    enum class LoadStatus {
        Missing,    // nothing at the path
        Loaded,     // read and parsed (also for an empty file)
        TooLarge,   // bigger than maxFileSize; nothing of it was used
        Unreadable, // a directory, device or pipe, or reading failed
        NotText,    // UTF-16 or UTF-32 (by its byte-order mark) or holding NUL bytes
    };

    // A value file holds a few dozen short lines; anything bigger is not ours and is not read.
    static constexpr qint64 maxFileSize = 1024 * 1024;

    IniFile() = default; // no file yet: every key reads as its default

    // Any bytes are accepted and kept; no size cap here, load() applies it.
    static IniFile fromBytes(const QByteArray &bytes);
    static IniFile load(const QString &path, LoadStatus *status = nullptr);

    QString value(QByteArrayView section, QByteArrayView key,
                  const QString &defaultValue = {}) const;
    bool contains(QByteArrayView section, QByteArrayView key) const;

    // Stored as UTF-8 with CR and LF removed, so no value can start a line of its own, and with
    // surrounding whitespace trimmed, which reading would drop anyway. Returns false, changing
    // nothing, for a name the file could not hold: empty, with surrounding whitespace, with CR
    // or LF, a section with ']', a key with '=' or starting with ';', '#' or '['.
    bool setValue(QByteArrayView section, QByteArrayView key, const QString &value);

    QByteArray toBytes() const;

    // Atomic: the old file is either replaced whole or left untouched. Folders are not created.
    // Refuses, writing nothing, when the result would be larger than load() reads: a file this
    // service writes is always one it reads back. After a successful save, temporary files that
    // an interrupted earlier save left beside the target are removed.
    bool save(const QString &path, QString *errorString = nullptr) const;

    // True for a name that an interrupted save of `target` may have left: the target's
    // file name, a dot and six letters or digits.
    static bool isLeftoverTemporary(const QString &fileName, const QString &target);

    // Opens the (closed) file, writes bytes and commits; the file is closed again on return. On
    // any failure the temporary file is discarded, the target stays as it was and errorString
    // (if given) says why.
    static bool writeAtomically(QSaveFile &file, const QByteArray &bytes, QString *errorString);

private:
    struct Entry
    {
        QByteArray name;           // as spelt in the file, trimmed
        QByteArray value;          // raw bytes without CR, trimmed
        qsizetype lineBegin = -1;  // offset in m_source; -1 for a key added by setValue()
        qsizetype contentEnd = -1; // where the line's ending (if any) starts
        bool rewritten = false;
    };

    struct Section
    {
        QByteArray name;
        qsizetype appendAt = -1; // after the last non-blank line; -1 for an added section
        QList<Entry> entries;    // the file's keys in order, then the added ones
    };

    static QByteArray foldedName(QByteArrayView name);
    qsizetype findSection(QByteArrayView name) const;
    static qsizetype findEntry(const Section &section, QByteArrayView key);

    QByteArray m_source; // the bytes as read, never changed: toBytes() splices edits into a copy
    bool m_crlf = false; // line ending for added lines: the first one in the file
    QList<Section> m_sections; // first occurrences only, in file order, then added ones
    QHash<QByteArray, qsizetype> m_sectionIndex; // folded name -> index in m_sections
};
