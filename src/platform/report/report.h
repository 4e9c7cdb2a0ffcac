// What the program tells the person running it, on one path: every line goes to standard error
// (or, for the answer to something the person asked for, standard output) behind the program's
// name, and a trouble that can recur is said once for the life of the process.
#pragma once

#include <string>

// Writes "gaiablade: LINE" to standard error.
void Report(const std::string& line);
// Writes "gaiablade: LINE" to standard error the first time `key` is reported; later reports
// with the same key are dropped.
void ReportOnce(const std::string& key, const std::string& line);
// Says once per file that a data file could not be used: "TROUBLE "NAME"; going on without it".
void ReportDataFile(const char* fileName, const char* trouble);
// Writes "gaiablade: LINE" to standard output and flushes it.
void ReportOutput(const std::string& line);
// Forgets what was said, so that it would be said again.
void ReportReset();
