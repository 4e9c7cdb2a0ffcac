// The diagnostics log: an optional text stream that receives printf-style lines while open.
#pragma once

#include <cstdint>
#include <cstdio>

// Opens the log on `stream` when given, else creates the file `fileName`; 1, or 0 on failure.
int32_t ErrorLogOpen(const char* fileName, FILE* stream);
// Formats one message (at most 79 characters; longer ones are cut) and writes and flushes it;
// 0 when the format is absent or the log is closed.
int32_t ErrorLogWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Writes the closing line and closes the log; 0 when it is not open.
int32_t ErrorLogClose();
// The log's stream, or nullptr while it is closed.
FILE* ErrorLogStream();
