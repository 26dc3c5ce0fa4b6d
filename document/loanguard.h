#pragma once
// Keeps two running Quillhavens off one loan file: the file a window has in
// use is locked with a QLockFile beside the file itself, links and other
// names resolved (".Name.qhv.lock"), and another process asked to open,
// replace or save over it refuses with a message, so that two windows never
// save over each other. Windows of one process share their locks; a second
// name (a hard link) of a file this process holds is refused. A file named on
// the command line is opened only when it exists: it is never created.
//
// A lock left behind (empty, unreadable, or naming a process that is gone) is
// taken over. Where no lock can be written (a full disk, a read-only folder,
// a folder in the lock's place) the file is used unlocked: the window says
// so, and a save first checks that nobody changed the file meanwhile.
#include <QByteArray>
#include <QString>
#include <optional>

class LoanGuard {
public:
    enum class Use { Open, Replace, Save };

    // How a claim speaks to the user: a refusal is told; a question is asked
    // with Yes and No, No the default, and true means Yes.
    class Dialogue {
    public:
        virtual ~Dialogue() = default;
        virtual void tell(const QString &text) = 0;
        virtual bool ask(const QString &question, bool warning) = 0;
    };

    // Taken before a file is used, and kept while the object lives: true when
    // the file may be used.
    class Claim {
    public:
        Claim() = default;
        explicit Claim(const QString &key);
        Claim(Claim &&other) noexcept;
        Claim &operator=(Claim &&) = delete;
        ~Claim();
        explicit operator bool() const { return !m_key.isEmpty(); }

    private:
        QString m_key;
    };

    LoanGuard() = default;
    LoanGuard(const LoanGuard &) = delete;
    LoanGuard &operator=(const LoanGuard &) = delete;
    ~LoanGuard();

    // A claim on `path` for `use`; a refused one has told the user why, or
    // the user said No to using it.
    Claim claim(const QString &path, Dialogue &dialogue, Use use);
    // The window now uses `path` (empty: none) as it is on disk now, after a
    // load, a save or New: holds its lock and lets go of the one held before.
    void hold(const QString &path);
    // False while the file in use has no lock of ours.
    bool locked() const;

    // The next claim to open `path` refuses it when it does not exist.
    static void openOnlyIfExists(const QString &path);
    // Whether `path` is a loan file open in a Quillhaven window: one of this
    // process under any of its names, or another process's.
    static bool isOpen(const QString &path);
    static QString lockPath(const QString &path);
    static QString missingMessage(const QString &path);
    // What the window says while its file is not locked.
    static QString notLockedText();
    // Makes every lock taken from now on fail as on a full disk (tests run as
    // root, whom a read-only folder does not stop).
    static void failLocksForTesting(bool fail);

private:
    // Asks before a save over the file in use when it is unlocked and its
    // bytes are no longer those it had when loaded or saved here.
    bool changedElsewhereMayBeOverwritten(Dialogue &dialogue) const;

    QString m_key;
    // The bytes of the file in use when it was last loaded or saved, kept
    // while it is unlocked; nullopt when there was no file.
    std::optional<QByteArray> m_seen;
};
