#include "platform/report/report.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace {

constexpr const char* kProgram = "gaiablade";

// Hosts report from the audio thread too.
std::mutex mutex;
std::set<std::string> said;

void Write(FILE* stream, const std::string& line) {
    std::fprintf(stream, "%s: %s\n", kProgram, line.c_str());
    std::fflush(stream);
}

}  // namespace

void Report(const std::string& line) { Write(stderr, line); }

void ReportOnce(const std::string& key, const std::string& line) {
    std::lock_guard lock(mutex);
    if (said.insert(key).second) {
        Write(stderr, line);
    }
}

void ReportDataFile(const char* fileName, const char* trouble) {
    // The ready screen reads the fighters' files five times a second: once is enough.
    ReportOnce(std::string("data file ") + fileName,
               std::string(trouble) + " \"" + fileName + "\"; going on without it");
}

void ReportOutput(const std::string& line) { Write(stdout, line); }

void ReportReset() {
    std::lock_guard lock(mutex);
    said.clear();
}
