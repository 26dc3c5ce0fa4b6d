#include "loanextension.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const char *const kKnown[] = {"version", "changes", "plan", "statement"};

Result readStatement(const QJsonObject &o, Statement &out)
{
    const QJsonObject columns = o.value(QStringLiteral("columns")).toObject();
    for (auto it = columns.begin(); it != columns.end(); ++it)
        if (const auto c = Statements::columnNamed(it.value().toString()))
            out.columns.emplace_back(it.key(), *c);
    for (const QJsonValue &v : o.value(QStringLiteral("lines")).toArray()) {
        const QJsonObject l = v.toObject();
        StatementLine line;
        line.date = QDate::fromString(l.value(QStringLiteral("date")).toString(), Qt::ISODate);
        if (!line.date.isValid())
            return Result::failed(QStringLiteral("a statement line has no date"));
        for (auto it = l.begin(); it != l.end(); ++it) {
            const auto c = Statements::columnNamed(it.key());
            if (c && *c != StatementColumn::Date && it.value().isDouble())
                line.setAmount(*c, it.value().toDouble());
        }
        out.lines.push_back(line);
    }
    return {};
}

QJsonObject statementObject(const Statement &statement)
{
    QJsonObject columns;
    for (const auto &[key, column] : statement.columns)
        columns.insert(key, Statements::columnName(column));
    QJsonArray lines;
    for (const StatementLine &line : statement.lines) {
        QJsonObject l{{QStringLiteral("date"), line.date.toString(Qt::ISODate)}};
        for (StatementColumn c : {StatementColumn::Principal, StatementColumn::Interest,
                                  StatementColumn::Escrow, StatementColumn::Extra,
                                  StatementColumn::Total, StatementColumn::Balance})
            if (const std::optional<double> v = line.amount(c))
                l.insert(Statements::columnName(c), *v);
        lines.append(l);
    }
    return {{QStringLiteral("columns"), columns}, {QStringLiteral("lines"), lines}};
}

QString modeName(ExtraMode mode)
{
    switch (mode) {
    case ExtraMode::EveryPayment: return QStringLiteral("every");
    case ExtraMode::OnePayment: return QStringLiteral("one");
    case ExtraMode::None: break;
    }
    return QStringLiteral("none");
}

} // namespace

bool LoanExtension::isStartingPlan(const ExtraPlan &plan)
{
    return plan.mode != ExtraMode::EveryPayment && plan.amount == 100 && plan.payment == 1
           && !plan.includeActual;
}

Result LoanExtension::read(const QByteArray &payload, LoanExtension &out)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(payload, &error);
    if (!doc.isObject())
        return Result::failed(QStringLiteral("its contents are not a JSON object"));
    const QJsonObject object = doc.object();
    LoanExtension read;
    for (const QJsonValue &v : object.value(QStringLiteral("changes")).toArray()) {
        const QJsonObject c = v.toObject();
        DatedChange change;
        change.from = QDate::fromString(c.value(QStringLiteral("from")).toString(), Qt::ISODate);
        if (!change.from.isValid())
            return Result::failed(QStringLiteral("a change has no date"));
        if (c.contains(QStringLiteral("rate"))) {
            change.kind = DatedChange::Kind::Rate;
            change.value = c.value(QStringLiteral("rate")).toDouble();
        } else if (c.contains(QStringLiteral("escrow"))) {
            change.kind = DatedChange::Kind::Escrow;
            change.value = c.value(QStringLiteral("escrow")).toDouble();
        } else if (c.value(QStringLiteral("recast")).toBool()) {
            change.kind = DatedChange::Kind::Recast;
        } else {
            return Result::failed(QStringLiteral("a change is of a kind this program does not know"));
        }
        read.changes.push_back(change);
    }
    if (const QJsonValue p = object.value(QStringLiteral("plan")); p.isObject()) {
        const QJsonObject o = p.toObject();
        ExtraPlan plan;
        const QString mode = o.value(QStringLiteral("mode")).toString();
        plan.mode = mode == QLatin1String("every") ? ExtraMode::EveryPayment
                    : mode == QLatin1String("one") ? ExtraMode::OnePayment
                                                    : ExtraMode::None;
        plan.amount = o.value(QStringLiteral("amount")).toDouble();
        const int k = o.value(QStringLiteral("payment")).toInt(1);
        plan.payment = k >= 1 && k <= 32767 ? std::optional<int16_t>(int16_t(k)) : std::nullopt;
        plan.includeActual = o.value(QStringLiteral("withRecorded")).toBool();
        read.plan = plan;
    }
    if (const QJsonValue st = object.value(QStringLiteral("statement")); st.isObject()) {
        if (const Result r = readStatement(st.toObject(), read.statement); !r)
            return r;
    }
    read.unknown = object;
    for (const char *key : kKnown)
        read.unknown.remove(QLatin1String(key));
    out = read;
    return {};
}

QByteArray LoanExtension::payload() const
{
    const bool plainPlan = !plan || isStartingPlan(*plan);
    if (changes.empty() && plainPlan && unknown.isEmpty() && statement.isEmpty())
        return QByteArray();
    QJsonObject object = unknown;
    object.insert(QStringLiteral("version"), 1);
    QJsonArray list;
    for (const DatedChange &c : changes) {
        QJsonObject o{{QStringLiteral("from"), c.from.toString(Qt::ISODate)}};
        switch (c.kind) {
        case DatedChange::Kind::Rate: o.insert(QStringLiteral("rate"), c.value); break;
        case DatedChange::Kind::Escrow: o.insert(QStringLiteral("escrow"), c.value); break;
        case DatedChange::Kind::Recast: o.insert(QStringLiteral("recast"), true); break;
        }
        list.append(o);
    }
    object.insert(QStringLiteral("changes"), list);
    if (plan)
        object.insert(QStringLiteral("plan"),
                      QJsonObject{{QStringLiteral("amount"), plan->amount},
                                  {QStringLiteral("mode"), modeName(plan->mode)},
                                  {QStringLiteral("payment"), plan->payment.value_or(1)},
                                  {QStringLiteral("withRecorded"), plan->includeActual}});
    if (!statement.isEmpty())
        object.insert(QStringLiteral("statement"), statementObject(statement));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}
