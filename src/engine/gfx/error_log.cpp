#include "engine/gfx/error_log.h"

#include <chrono>
#include <cstdarg>
#include <cstring>
#include <ctime>

namespace {

FILE* logStream = nullptr;
bool logOwnsStream = false;

// "Mon Dec  7 05:02:17.45, 2026\n": the calendar text with the milliseconds after the seconds.
void TimeStamp(char* out, size_t size) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = static_cast<unsigned short>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    // The log is written from the game's thread only, so the shared calendar record is safe.
    const std::tm* local = std::localtime(&seconds);
    if (!local) {
        std::snprintf(out, size, "?, ?\n");
        return;
    }
    std::snprintf(out, size, "%s %s%3d %.2d:%.2d:%.2d.%hu, %d\n", kDays[local->tm_wday % 7],
                  kMonths[local->tm_mon % 12], local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec, millis,
                  local->tm_year + 1900);
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
