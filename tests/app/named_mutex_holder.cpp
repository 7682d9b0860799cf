// A second process for the start-up guard's tests: creates the named mutex
// given as its argument, says "held" or "exists" on standard output, and
// keeps it until its standard input closes (or it is killed).
#include <unistd.h>

#include <cstdio>

#include "platform/named_mutex.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    bool exists = false;
    const NamedMutexHandle handle = CreateNamedMutex(argv[1], exists);
    std::printf("%s\n", handle == NO_NAMED_MUTEX ? "failed" : exists ? "exists" : "held");
    std::fflush(stdout);
    char byte;
    while (read(STDIN_FILENO, &byte, 1) > 0) {
    }
    CloseNamedMutex(handle);
    return 0;
}
