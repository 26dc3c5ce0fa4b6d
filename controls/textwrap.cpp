#include "textwrap.h"

#include <algorithm>

QString wrapToWidth(const QString &msg, const TextMeasure &measure, double limit)
{
    static const QString crlf = QStringLiteral("\r\n");
    limit = std::max(limit, 0.0); // a box is never narrower than nothing
    QString result;
    QString line;
    qsizetype i = 0; // position in msg of the character being placed
    while (i < msg.size()) {
        const QChar c = msg.at(i);
        line += c;
        if (c == u'\n') {
            result += line;
            line.clear();
        }
        if (line.isEmpty() || measure(line) <= limit) {
            ++i;
            continue;
        }
        if (line.size() == 1) {
            // The box is narrower than this one character: it stays, alone,
            // on its line, so the wrap always makes progress.
            ++i;
            continue;
        }
        // 1-based position of the last space in the line, 0 when there is none.
        const qsizetype j = line.lastIndexOf(u' ') + 1;
        const QString head = line.left(line.size() - 1);
        if (j > 1) {
            result += line.left(j) + crlf;
            // Go on just after that space: the part of the line beyond it is
            // placed again on the next line.
            i = i - (line.size() - j) + 1;
        } else if (measure(head) > limit) {
            // The line is one character too wide for the box: a line break
            // (which takes no width) joins it, anything else starts a new line.
            if (measure(line) <= measure(head)) {
                ++i;
                continue;
            }
            result += head + crlf;
        } else {
            // No usable space: break the word; the character that did not fit
            // begins the next line.
            result += head + u'-' + crlf;
        }
        line.clear();
    }
    return result + line + crlf;
}
