#include "platform/host/host.h"

#include "platform/host/host_headless.h"

namespace {

Host* currentHost = nullptr;

}  // namespace

Host& HostGet() {
    if (!currentHost) {
        // Until a program chooses its host, it runs on one that touches no machine.
        static HeadlessHost standIn;
        return standIn;
    }
    return *currentHost;
}

void HostSet(Host* host) { currentHost = host; }
