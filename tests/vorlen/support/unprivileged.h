// Runs a check as a user that cannot write where root can. Tests run as
// root on the build machines, and root ignores permission bits: there the
// check runs in a child process that has given up root.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace vorlen::test {

// True when `check` returned true. `check` must not use gtest assertions
// (in a child they would not reach the parent).
inline bool RunUnprivileged(const std::function<bool()>& check) {
    if (::geteuid() != 0)
        return check();
    pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const uid_t nobody = 65534;
        bool ok = ::setgid(nobody) == 0 && ::setuid(nobody) == 0 && check();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace vorlen::test
