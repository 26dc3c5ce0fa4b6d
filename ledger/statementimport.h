#pragma once
// The import of a servicer's statement into the loan: the file asked for
// (unless given), read, its columns checked by the user in the statement
// dialog, a statement of another loan asked about (its balance more than a
// payment away from the loan's), and kept with the loan through the
// document, as a change that can be undone. Every refusal is said in a
// message, and then nothing is imported.
#include <QString>

class LoanDocument;
class QWidget;

namespace StatementImport {

void run(LoanDocument &document, QWidget *owner, const QString &path = QString());

} // namespace StatementImport
