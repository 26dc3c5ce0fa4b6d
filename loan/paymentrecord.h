#pragma once
// One recorded payment as the ledger and the loan file keep it. Its principal
// and interest are never stored: they are always the loan's current monthly
// payment.
#include <QString>

struct PaymentRecord {
    // A loan holds at most this many recorded payments.
    static constexpr int kMaxPayments = 1600;

    double escrow = 0;
    double extraPrincipal = 0;
    QString payDate;            // exactly 8 characters once stored, "mm/dd/yy" as typed

    bool operator==(const PaymentRecord &) const = default;

    // Left-aligned in exactly 8 characters: padded with blanks or cut.
    static QString fitDate(const QString &text) { return text.left(8).leftJustified(8, u' '); }
    // The date as the ledger shows it and hands it on (copy, CSV, print): a
    // control character, which only a damaged file holds, as a blank. The
    // stored bytes stay as they are.
    static QString shownDate(QString text)
    {
        for (QChar &c : text)
            if (c.category() == QChar::Other_Control)
                c = u' ';
        return text;
    }
};
