#pragma once
// Keeps two running Quillhavens off one loan file: the file a window has in
// use is locked with a QLockFile beside it (".Name.qhv.lock"), and another
// process asked to open, replace or save over it refuses with a message, so
// that two windows never save over each other. Windows of one process share
// their locks. A file named on the command line is opened only when it
// exists: it is never created.
#include <QMessageBox>
#include <QString>

class QWidget;

class LoanGuard {
public:
    enum class Use { Open, Replace, Save };

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

    // A claim on `path` for `use`; a refused one has told the user why.
    Claim claim(const QString &path, QWidget *owner, Use use) const;
    // The window now uses `path` (empty: none): holds its lock and lets go of
    // the one held before.
    void hold(const QString &path);

    // The next claim to open `path` refuses it when it does not exist.
    static void openOnlyIfExists(const QString &path);
    // Whether another process has `path` in use.
    static bool inUseElsewhere(const QString &path);
    static QString lockPath(const QString &path);
    static QString missingMessage(const QString &path);

private:
    QString m_key;
};
