#include "loanguard.h"

#include "storage/loanfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace {

// The locks this process holds, by the file's resolved path: the windows
// using each file, and the claims taken on it and not yet held or dropped.
// An entry without a lock is a file used unlocked.
struct Entry {
    std::unique_ptr<QLockFile> lock;
    int users = 0;
    int claims = 0;
};

std::map<QString, Entry> &held()
{
    static std::map<QString, Entry> entries;
    return entries;
}

QString openOnlyIfExistsPath;
bool locksFail = false;

// The file itself, whatever name leads to it (links, "..", another folder
// name); a name not there yet by its resolved folder.
QString keyOf(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + u'/'
                           + info.fileName());
}

QString describe(const QString &path)
{
    return QStringLiteral("\"%1\"").arg(QFileInfo(path).fileName());
}

struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity &) const = default;
};

std::optional<Identity> identityOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return Identity{st.st_dev, st.st_ino};
}

// Another key this process holds that is the same file as `key` (a hard
// link to it); empty when none.
QString heldUnderAnotherName(const QString &key)
{
    const auto mine = identityOf(key);
    if (!mine)
        return QString();
    for (const auto &[other, entry] : held())
        if (other != key && identityOf(other) == mine)
            return other;
    return QString();
}

// The bytes of the file now; nullopt when there is no regular file there.
std::optional<QByteArray> bytesOf(const QString &key)
{
    if (!QFileInfo(key).isFile())
        return std::nullopt;
    QFile f(key);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.read(LoanFile::kMaxFileSize + 1);
}

enum class Outcome {
    Locked,
    Unlocked,     // no lock can be written there: the file is used without one
    Busy,         // a running Quillhaven on this machine holds it
    OtherHost,    // a Quillhaven on another computer says it holds it
};

struct Taken {
    Outcome outcome = Outcome::Unlocked;
    std::unique_ptr<QLockFile> lock;
    QString host;
};

Taken take(const QString &key)
{
    Taken t;
    const QString path = LoanGuard::lockPath(key);
    const QFileInfo found(path);
    // Something other than a file where the lock goes (a folder, say) is no
    // lock and cannot be replaced by one; reading a pipe would wait for ever.
    if (found.isSymLink() || (found.exists() && !found.isFile()) || locksFail)
        return t;
    auto lock = std::make_unique<QLockFile>(path);
    // Stale only when its process is gone, however long a loan stays open.
    lock->setStaleLockTime(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            t.outcome = Outcome::Locked;
            t.lock = std::move(lock);
            return t;
        }
        if (lock->error() != QLockFile::LockFailedError)
            return t;
        qint64 pid = 0;
        QString host, app;
        // A lock is written whole right after it is made: give one that reads
        // as nothing a moment before counting it as left behind.
        if (!lock->getLockInfo(&pid, &host, &app) && lock->tryLock(20)) {
            t.outcome = Outcome::Locked;
            t.lock = std::move(lock);
            return t;
        }
        if (!lock->getLockInfo(&pid, &host, &app)) {
            // Empty (a power cut while it was written) or not a lock at all:
            // no running Quillhaven stands behind it.
            lock->removeStaleLockFile();
            continue;
        }
        if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
            t.outcome = Outcome::OtherHost;
            t.host = host;
            return t;
        }
        // QLockFile found its process running here.
        t.outcome = Outcome::Busy;
        return t;
    }
    return t;
}

void dropIfUnused(const QString &key)
{
    auto it = held().find(key);
    if (it != held().end() && it->second.users <= 0 && it->second.claims <= 0)
        held().erase(it);
}

// "The loan file X is open in another Quillhaven window" goes on with
QString ending(LoanGuard::Use use)
{
    switch (use) {
    case LoanGuard::Use::Open: return QStringLiteral(" and was not opened.");
    case LoanGuard::Use::Replace: return QStringLiteral(" and was not replaced.");
    case LoanGuard::Use::Save: break;
    }
    return QStringLiteral("; the loan was not saved.");
}

QString notDone(LoanGuard::Use use)
{
    switch (use) {
    case LoanGuard::Use::Open: return QStringLiteral("it was not opened.");
    case LoanGuard::Use::Replace: return QStringLiteral("it was not replaced.");
    case LoanGuard::Use::Save: break;
    }
    return QStringLiteral("the loan was not saved.");
}

QString anyway(LoanGuard::Use use)
{
    switch (use) {
    case LoanGuard::Use::Open: return QStringLiteral("Open it anyway?");
    case LoanGuard::Use::Replace: return QStringLiteral("Replace it anyway?");
    case LoanGuard::Use::Save: break;
    }
    return QStringLiteral("Save over it anyway?");
}

} // namespace

LoanGuard::Claim::Claim(const QString &key)
    : m_key(key)
{
}

LoanGuard::Claim::Claim(Claim &&other) noexcept
    : m_key(std::move(other.m_key))
{
    other.m_key.clear();
}

LoanGuard::Claim::~Claim()
{
    if (m_key.isEmpty())
        return;
    auto it = held().find(m_key);
    if (it != held().end())
        --it->second.claims;
    dropIfUnused(m_key);
}

LoanGuard::~LoanGuard()
{
    hold(QString());
}

LoanGuard::Claim LoanGuard::claim(const QString &path, Dialogue &dialogue, Use use)
{
    const QString key = keyOf(path);
    if (use == Use::Open && !key.isEmpty() && key == openOnlyIfExistsPath) {
        openOnlyIfExistsPath.clear();
        if (!QFileInfo::exists(key)) {
            dialogue.tell(missingMessage(path));
            return Claim();
        }
    }
    if (key.isEmpty())
        return Claim();
    auto refuse = [&](const QString &text) {
        dialogue.tell(text);
        return Claim();
    };
    auto it = held().find(key);
    if (it == held().end()) {
        if (const QString other = heldUnderAnotherName(key); !other.isEmpty())
            return refuse(QStringLiteral("The loan file %1 is another name of %2, which is open "
                                         "in a Quillhaven window; %3")
                              .arg(describe(path), describe(other), notDone(use)));
        Taken taken = take(key);
        if (taken.outcome == Outcome::Busy)
            return refuse(QStringLiteral("The loan file %1 is open in another Quillhaven window")
                              .arg(describe(path))
                          + ending(use));
        if (taken.outcome == Outcome::OtherHost) {
            const bool useAnyway = dialogue.ask(
                QStringLiteral("The loan file %1 is locked by a Quillhaven on the computer "
                               "\"%2\", where it may be open. %3")
                    .arg(describe(path), taken.host, anyway(use)),
                false);
            if (!useAnyway)
                return Claim();
        }
        it = held().emplace(key, Entry{std::move(taken.lock), 0, 0}).first;
    } else if (use == Use::Save && key == m_key && !changedElsewhereMayBeOverwritten(dialogue)) {
        return Claim();
    }
    ++it->second.claims;
    return Claim(key);
}

bool LoanGuard::changedElsewhereMayBeOverwritten(Dialogue &dialogue) const
{
    if (locked() || bytesOf(m_key) == m_seen)
        return true;
    return dialogue.ask(QStringLiteral("The loan file %1 was changed by another program since it "
                                       "was opened or saved here. Save over it?")
                            .arg(describe(m_key)),
                        true);
}

void LoanGuard::hold(const QString &path)
{
    const QString key = keyOf(path);
    if (key != m_key) {
        if (!key.isEmpty()) {
            Entry &e = held()[key];
            if (!e.lock && e.users == 0 && e.claims == 0) {
                // Taken without a claim: kept only if free.
                Taken taken = take(key);
                e.lock = std::move(taken.lock);
            }
            ++e.users;
        }
        if (!m_key.isEmpty()) {
            auto it = held().find(m_key);
            if (it != held().end())
                --it->second.users;
            dropIfUnused(m_key);
        }
        m_key = key;
    }
    m_seen = key.isEmpty() || locked() ? std::nullopt : bytesOf(key);
}

bool LoanGuard::locked() const
{
    if (m_key.isEmpty())
        return true;
    const auto it = held().find(m_key);
    return it != held().end() && it->second.lock && it->second.lock->isLocked();
}

void LoanGuard::openOnlyIfExists(const QString &path)
{
    openOnlyIfExistsPath = keyOf(path);
}

bool LoanGuard::isOpen(const QString &path)
{
    const QString key = keyOf(path);
    if (key.isEmpty())
        return false;
    if (held().count(key) != 0 || !heldUnderAnotherName(key).isEmpty())
        return true;
    // No lock beside it: no other process has it. Else as a claim would find
    // it; a lock taken here to find out is let go at once.
    const QFileInfo lock(lockPath(key));
    if (!lock.exists() && !lock.isSymLink())
        return false;
    const Outcome outcome = take(key).outcome;
    return outcome == Outcome::Busy || outcome == Outcome::OtherHost;
}

QString LoanGuard::lockPath(const QString &path)
{
    const QFileInfo info(keyOf(path));
    return info.absoluteDir().filePath(QStringLiteral(".%1.lock").arg(info.fileName()));
}

QString LoanGuard::missingMessage(const QString &path)
{
    return QStringLiteral("The loan file %1 does not exist.").arg(describe(path));
}

QString LoanGuard::notLockedText()
{
    return QStringLiteral("not locked: another window could change this file");
}

void LoanGuard::failLocksForTesting(bool fail)
{
    locksFail = fail;
}
