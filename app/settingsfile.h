#pragma once
// The per-user and system settings files the program reads, checked before
// Qt's settings open one: a file that is not a regular file (a pipe would hold
// the start in open() for ever, a folder cannot be read) is not read.
#include <QString>

namespace SettingsFile {

// When one of the program's settings files is not a regular file (or
// missing), every one is set aside for this run, which starts with the
// default settings: what the run remembers goes to a folder of its own,
// removed at the end. Returns what to tell the user, once; empty when the
// files are used as they are. Called before anything reads a setting.
QString setAsideIfUnusable();

} // namespace SettingsFile
