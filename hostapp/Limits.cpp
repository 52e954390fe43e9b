#include "Limits.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <unistd.h>

namespace vellbatchrule {

namespace Limits {

namespace {

constexpr char kOutOfMemory[] = "vell-batchrule: not enough memory to finish; nothing it was writing was kept\n";

// The last resort, where running out of memory met a place that cannot
// pass it on (a destructor, the window's event loop): the message, exit 1.
[[noreturn]] void Terminate()
{
    try {
        if (const std::exception_ptr thrown = std::current_exception())
            std::rethrow_exception(thrown);
    } catch (const std::bad_alloc&) {
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kOutOfMemory, sizeof kOutOfMemory - 1);
        _exit(1);
    } catch (...) {
    }
    std::abort();
}

}

void MeetAsErrors()
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::set_terminate(Terminate);
}

int OutOfMemory(const char* command)
{
    std::fprintf(stderr, "vell-batchrule: not enough memory to finish %s; nothing it was writing was kept\n", command);
    return 1;
}

}

}
