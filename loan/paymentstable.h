#pragma once
// The recorded payments: a fixed table of slots 1..1600 and the count of
// payments made. Slots above the count keep their values, as the loan file
// writes them back, but only slots 1..count are payments; every access is
// checked against the table's bounds.
#include <QString>
#include <array>
#include <functional>
#include <cstdint>
#include <span>

#include "paymentrecord.h"
#include "schedule.h"

class PaymentsTable {
public:
    static constexpr int kSlots = PaymentRecord::kMaxPayments;

    int16_t paymentsMade() const { return m_paymentsMade; }
    // Payments 1..paymentsMade(), in order.
    std::span<const PaymentRecord> payments() const
    {
        return {m_slots.data() + 1, size_t(m_paymentsMade)};
    }
    // Clamped to 0..kSlots.
    void setPaymentsMade(int count);

    // Slot 0..kSlots; any other slot reads as an empty record.
    PaymentRecord at(int slot) const;
    // False, and nothing changes, for a slot outside 1..kSlots.
    bool set(int slot, const PaymentRecord &record);
    double extraPrincipal(int slot) const;
    // The recorded extra principal as a schedule reads it (payments
    // 1..paymentsMade() only); valid while the table lives.
    RecordedExtra recordedExtra() const;

    // Adds payment paymentsMade() + 1; false when the table is full.
    bool append(const PaymentRecord &record);
    // Drops the last payment (never below 0); its slot keeps its values.
    void removeLast();

private:
    std::array<PaymentRecord, kSlots + 1> m_slots{};
    int16_t m_paymentsMade = 0;
};

// What recorded payments add up to: each counts the monthly payment, its
// escrow and its extra principal.
struct LedgerTotals {
    double loan = 0;
    double escrow = 0;
    double extra = 0;
    int firstRow = 0;                // first payment counted (1 for all); 0: none

    // Loan payments, escrow, extra principal and their total, as amounts.
    std::array<QString, 4> texts() const;
};
// The totals of all `payments` (year empty) or of those whose date falls in
// `year`, a year as the year lists write it; a date that is no date has no
// year. The one sum behind the payments tab's totals and the printed ledger's.
LedgerTotals ledgerTotals(std::span<const PaymentRecord> payments, double monthlyPayment,
                          const QString &year = QString());
// The same with the loan payment of payment k (1-based) given by
// `paymentFor`, as where the rate changes over time.
LedgerTotals ledgerTotals(std::span<const PaymentRecord> payments,
                          const std::function<double(int)> &paymentFor,
                          const QString &year = QString());
