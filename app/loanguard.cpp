#include "loanguard.h"

#include "dialogs/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <map>
#include <memory>

namespace {

// The locks this process holds, by absolute path: the windows using each
// file, and the claims taken on it and not yet held or dropped.
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

QString keyOf(const QString &path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString describe(const QString &path)
{
    return QStringLiteral("\"%1\"").arg(QFileInfo(path).fileName());
}

// A lock on `key`, taken if it can be; nullptr when another process holds it.
// A folder where no lock can be written leaves the file unlocked: that is no
// reason to refuse it.
std::unique_ptr<QLockFile> lockFor(const QString &key)
{
    auto lock = std::make_unique<QLockFile>(LoanGuard::lockPath(key));
    // Stale only when its process is gone, however long a loan stays open.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return nullptr;
    return lock;
}

void dropIfUnused(const QString &key)
{
    auto it = held().find(key);
    if (it != held().end() && it->second.users <= 0 && it->second.claims <= 0)
        held().erase(it);
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

LoanGuard::Claim LoanGuard::claim(const QString &path, QWidget *owner, Use use) const
{
    const QString key = keyOf(path);
    if (use == Use::Open && !key.isEmpty() && key == openOnlyIfExistsPath) {
        openOnlyIfExistsPath.clear();
        if (!QFileInfo::exists(key)) {
            Prompts::current().message(owner, QMessageBox::Warning, missingMessage(key),
                                       QMessageBox::Ok);
            return Claim();
        }
    }
    if (key.isEmpty())
        return Claim();
    auto it = held().find(key);
    if (it == held().end()) {
        auto lock = lockFor(key);
        if (!lock) {
            const QString name = describe(key);
            const QString text =
                use == Use::Open
                    ? QStringLiteral("The loan file %1 is open in another Quillhaven window "
                                     "and was not opened.").arg(name)
                : use == Use::Replace
                    ? QStringLiteral("The loan file %1 is open in another Quillhaven window "
                                     "and was not replaced.").arg(name)
                    : QStringLiteral("The loan file %1 is open in another Quillhaven window; "
                                     "the loan was not saved.").arg(name);
            Prompts::current().message(owner, QMessageBox::Warning, text, QMessageBox::Ok);
            return Claim();
        }
        it = held().emplace(key, Entry{std::move(lock), 0, 0}).first;
    }
    ++it->second.claims;
    return Claim(key);
}

void LoanGuard::hold(const QString &path)
{
    const QString key = keyOf(path);
    if (key == m_key)
        return;
    if (!key.isEmpty()) {
        Entry &e = held()[key];
        if (!e.lock)
            e.lock = lockFor(key); // taken without a claim: kept only if free
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

void LoanGuard::openOnlyIfExists(const QString &path)
{
    openOnlyIfExistsPath = keyOf(path);
}

bool LoanGuard::inUseElsewhere(const QString &path)
{
    const QString key = keyOf(path);
    return !key.isEmpty() && held().count(key) == 0 && !lockFor(key);
}

QString LoanGuard::lockPath(const QString &path)
{
    const QFileInfo info(path);
    return info.absoluteDir().filePath(QStringLiteral(".%1.lock").arg(info.fileName()));
}

QString LoanGuard::missingMessage(const QString &path)
{
    return QStringLiteral("The loan file %1 does not exist.").arg(describe(path));
}
