#pragma once
// What everything that can fail returns (reading and writing files, a loan
// document's load and save, the command line's reading of a loan): done, or
// not done with the reason in words for the user.
#include <QString>

struct Result {
    bool ok = true;
    QString reason;                   // empty when done

    explicit operator bool() const { return ok; }
    static Result failed(const QString &why) { return {false, why}; }
};
