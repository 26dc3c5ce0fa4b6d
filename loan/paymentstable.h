#pragma once
// The recorded payments: a fixed table of slots 1..1600 and the count of
// payments made. Slots above the count keep their values, as the loan file
// writes them back, but only slots 1..count are payments; every access is
// checked against the table's bounds.
#include <array>
#include <cstdint>

#include "paymentrecord.h"
#include "schedule.h"

class PaymentsTable {
public:
    static constexpr int kSlots = PaymentRecord::kMaxPayments;

    int16_t paymentsMade() const { return m_paymentsMade; }
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
