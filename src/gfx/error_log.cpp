#include "gfx/error_log.h"

#include <chrono>
#include <cstdarg>
#include <cstring>
#include <ctime>

namespace {

FILE* logStream = nullptr;
bool logOwnsStream = false;

// "Mon Dec  7 05:02:17.45, 2026\n": the calendar text with the milliseconds after the seconds.
void TimeStamp(char* out, size_t size) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = static_cast<unsigned short>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    char calendar[64] = {};
    std::tm local{};
    localtime_r(&seconds, &local);
    asctime_r(&local, calendar);
    std::snprintf(out, size, "%.19s.%hu, %s", calendar, millis, calendar + 20);
}

}  // namespace

FILE* ErrorLogStream() { return logStream; }

int32_t ErrorLogOpen(const char* fileName, FILE* stream) {
    if (stream) {
        logStream = stream;
        logOwnsStream = false;
    } else {
        FILE* file = fileName ? std::fopen(fileName, "w") : nullptr;
        if (!file) {
            // The log is closed then, also when it was open: nothing more reaches the old file.
            if (logOwnsStream && logStream && logStream != stdout && logStream != stderr) {
                std::fclose(logStream);
            }
            logStream = nullptr;
            logOwnsStream = false;
            return 0;
        }
        logStream = file;
        logOwnsStream = true;
    }
    char stamp[96];
    TimeStamp(stamp, sizeof(stamp));
    ErrorLogWrite("\nOpening Error Output File (%s) on %s\n", fileName ? fileName : "", stamp);
    if (stream) {
        return 1;
    }
    std::fclose(logStream);
    logStream = std::fopen(fileName, "a+");
    logOwnsStream = logStream != nullptr;
    return logStream ? 1 : 0;
}

int32_t ErrorLogWrite(const char* format, ...) {
    if (!format || !logStream) {
        return 0;
    }
    // A message holds at most 79 characters; a longer one is cut there.
    char buffer[80];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    std::fputs(buffer, logStream);
    std::fflush(logStream);
    return 1;
}

int32_t ErrorLogClose() {
    if (!logStream) {
        return 0;
    }
    ErrorLogWrite("\nClosing Error Output File.");
    if (logOwnsStream && logStream != stdout && logStream != stderr) {
        std::fclose(logStream);
    }
    logStream = nullptr;
    logOwnsStream = false;
    return 1;
}
