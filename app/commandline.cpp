#include "commandline.h"

#include "app/currentloan.h"
#include "app/loanguard.h"
#include "ledger/paymentstable.h"
#include "loan/numtext.h"
#include "loan/plaintable.h"
#include "loan/schedule.h"
#include "storage/loanfile.h"
#include "storage/loanfileterms.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <memory>

namespace CommandLine {

namespace {

struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption csv{QStringLiteral("csv"),
                           QStringLiteral("Write the CSV of <kind> to standard output, with no "
                                          "window: schedule (as contracted), actual (with the "
                                          "recorded extra principal), projected (with the "
                                          "planned extra principal) or payments (the payment "
                                          "ledger)."),
                           QStringLiteral("kind")};
    QCommandLineOption extra{QStringLiteral("extra"),
                             QStringLiteral("With --csv projected: the extra principal paid."),
                             QStringLiteral("amount")};
    QCommandLineOption payment{QStringLiteral("payment"),
                               QStringLiteral("With --csv projected: pay the extra principal with "
                                              "payment K only (without it: with every payment)."),
                               QStringLiteral("K")};
    QCommandLineOption withRecorded{QStringLiteral("with-recorded"),
                                    QStringLiteral("With --csv projected: add the extra principal "
                                                   "recorded in the ledger.")};

    explicit Options(QCommandLineParser &parser)
        : help(parser.addHelpOption())
        , version(parser.addVersionOption())
    {
        parser.setApplicationDescription(QStringLiteral(QH_FILE_DESCRIPTION));
        parser.addOption(csv);
        parser.addOption(extra);
        parser.addOption(payment);
        parser.addOption(withRecorded);
        parser.addPositionalArgument(QStringLiteral("file"),
                                     QStringLiteral("The loan file (.qhv) to open, or to read "
                                                    "with --csv."),
                                     QStringLiteral("[file]"));
    }
    bool planGiven(const QCommandLineParser &parser) const
    {
        return parser.isSet(extra) || parser.isSet(payment) || parser.isSet(withRecorded);
    }
};

void writeTo(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int usage(QCommandLineParser &parser, const QString &problem)
{
    writeTo(stderr, (QCoreApplication::applicationName().toLower() + QStringLiteral(": ") + problem
                     + QStringLiteral("\n\n") + parser.helpText())
                        .toLocal8Bit());
    return Usage;
}

int unusable(const QString &message)
{
    writeTo(stderr, (message + u'\n').toLocal8Bit());
    return FileUnusable;
}

} // namespace

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillhaven"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quillhaven"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(QH_VERSION_MAJOR)
                                                .arg(QH_VERSION_MINOR)
                                                .arg(QH_VERSION_PATCH));
}

bool runsWithoutWindow(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--csv" || a.startsWith("--csv=") || a == "-h" || a == "--help" || a == "-?"
            || a == "--help-all" || a == "-v" || a == "--version")
            return true;
    }
    return false;
}

int runWithoutWindow()
{
    QCommandLineParser parser;
    const Options o(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser, parser.errorText());
    if (parser.isSet(o.help) || parser.isSet(QStringLiteral("help-all"))) {
        writeTo(stdout, parser.helpText().toLocal8Bit());
        return Done;
    }
    if (parser.isSet(o.version)) {
        writeTo(stdout, (QCoreApplication::applicationName() + u' '
                         + QCoreApplication::applicationVersion() + u'\n')
                            .toLocal8Bit());
        return Done;
    }

    const QString kind = parser.value(o.csv);
    const QStringList kinds{QStringLiteral("schedule"), QStringLiteral("actual"),
                            QStringLiteral("projected"), QStringLiteral("payments")};
    if (!kinds.contains(kind))
        return usage(parser, QStringLiteral("--csv takes schedule, actual, projected or payments, "
                                            "not \"%1\".").arg(kind));
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usage(parser, QStringLiteral("--csv reads one loan file; name it."));

    ExtraPlan plan;
    if (kind == QLatin1String("projected")) {
        const auto amount = NumText::parse(parser.value(o.extra));
        if (!parser.isSet(o.extra) || !amount)
            return usage(parser, QStringLiteral("--csv projected needs --extra and an amount."));
        plan.amount = *amount;
        plan.mode = ExtraMode::EveryPayment;
        if (parser.isSet(o.payment)) {
            plan.payment = NumText::toInt16(parser.value(o.payment));
            if (!plan.payment)
                return usage(parser, QStringLiteral("--payment takes a payment number."));
            plan.mode = ExtraMode::OnePayment;
        }
        plan.includeActual = parser.isSet(o.withRecorded);
    } else if (o.planGiven(parser)) {
        return usage(parser, QStringLiteral("--extra, --payment and --with-recorded go with "
                                            "--csv projected."));
    }

    // Reading never creates a file, as opening the window would.
    const QString path = files.constFirst();
    if (!QFileInfo::exists(path))
        return unusable(LoanGuard::missingMessage(path));
    const LoanFile::ReadResult file = LoanFile::read(path);
    if (!file.ok)
        return unusable(file.error);

    // The ledger as the window holds it after loading the file.
    auto payments = std::make_unique<PaymentsTable>();
    for (size_t k = 0; k < file.data.payments.size(); ++k)
        payments->set(int(k) + 1, file.data.payments[k]);
    payments->setPaymentsMade(int(file.data.payments.size()));
    const LoanFile::ShownTerms terms = LoanFile::shownTerms(file.data);

    PlainTable table;
    if (kind == QLatin1String("payments")) {
        std::vector<PaymentRecord> records;
        for (int k = 1; k <= payments->paymentsMade(); ++k)
            records.push_back(payments->at(k));
        table = PlainCells::ledger(records,
                                   NumText::value(terms.texts[LoanTerms::MonthlyPayment]));
    } else {
        ScheduleInputs in;
        in.texts = terms.texts;
        in.firstPaymentDate = terms.firstPaymentDate;
        in.plan = plan;
        in.recorded = payments->recordedExtra();
        const ScheduleView view = kind == QLatin1String("schedule") ? ScheduleView::Contract
                                  : kind == QLatin1String("actual") ? ScheduleView::Actual
                                                                    : ScheduleView::Projected;
        table = PlainCells::schedule(Schedule::build(view, in));
    }

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(table.csv()) < 0 || !out.flush())
        return unusable(QStringLiteral("The CSV could not be written: %1.").arg(out.errorString()));
    return Done;
}

int prepareWindow(const QStringList &arguments, QString *startupProblem)
{
    QCommandLineParser parser;
    const Options o(parser);
    if (!parser.parse(arguments))
        return usage(parser, parser.errorText());
    if (o.planGiven(parser))
        return usage(parser, QStringLiteral("--extra, --payment and --with-recorded go with "
                                            "--csv projected."));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usage(parser, QStringLiteral("Name one loan file to open."));
    if (files.isEmpty()) {
        const QString problem = CurrentLoan::restore();
        if (startupProblem)
            *startupProblem = problem;
        return -1;
    }
    // The file becomes the loan in use as an Open would make it; the
    // remembered one stays as it is until a save on closing.
    CurrentLoan::path = QFileInfo(files.constFirst()).absoluteFilePath();
    LoanGuard::openOnlyIfExists(CurrentLoan::path);
    return -1;
}

} // namespace CommandLine
