#pragma once
// What a loan file's extension section holds, as UTF-8 JSON of one object:
// the dated changes, the quote's plan, and the keys this version does not
// know, which are kept and written back.
//   {"version":1,"changes":[{"from":"2032-01-01","rate":7.25},
//    {"from":"2030-06-01","recast":true},{"from":"2028-01-01","escrow":512.5}],
//    "plan":{"amount":200,"mode":"every","payment":1,"withRecorded":false},
//    "statement":{"columns":{"posteddate":"date","principal":"principal"},
//                 "lines":[{"date":"2027-03-01","principal":412.5}]}}
#include <QByteArray>
#include <QJsonObject>
#include <optional>

#include "loan/datedchange.h"
#include "loan/schedule.h"
#include "loan/statement.h"
#include "storage/result.h"

struct LoanExtension {
    DatedChanges changes;
    std::optional<ExtraPlan> plan;    // none: the plan a loan opens with
    Statement statement;              // the servicer's, as imported
    QJsonObject unknown;              // keys of later versions

    // The plan a loan without a saved one has, before and after the quote
    // tab picked its option: saving it needs no section.
    static bool isStartingPlan(const ExtraPlan &plan);
    // Reads a payload; fails with what could not be read (not an object, a
    // change of an unknown kind or date, a plan that is not one, a
    // statement line without a date).
    static Result read(const QByteArray &payload, LoanExtension &out);
    // The payload to write; empty when the loan needs no section.
    QByteArray payload() const;
};
