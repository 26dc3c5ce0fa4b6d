#pragma once
// Word wrap of a text to the width of a box, measured by the caller, so the
// rule can be checked with a fixed-width measure as well as a real font.
#include <QString>
#include <functional>

// Width of one line of text, in the same unit as the limit it is compared to.
using TextMeasure = std::function<double(const QString &)>;

// Wraps msg into lines no wider than limit. Explicit line breaks are kept as
// they are; a line that grows too wide breaks after its last space (the space
// stays at the end of the line); a word that does not fit on a line is split
// with "-" at the end of each piece, and so is a line whose only space is its
// first character. Every inserted break is "\r\n" and the result always ends
// with "\r\n". A single character wider than the box gets a line of its own,
// so the wrap ends whatever the width.
QString wrapToWidth(const QString &msg, const TextMeasure &measure, double limit);
