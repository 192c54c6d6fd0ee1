// Makes the file system's permission checks apply to the tests even when they run as root.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While one of these lives, the calling thread is refused what a file's mode bits forbid, as an
// ordinary user would be: a read-only folder cannot be written. Capabilities belong to a thread,
// so the rest of the process keeps its rights; they are given back on destruction.
class PermissionChecks
{
public:
    PermissionChecks()
    {
        m_active = syscall(SYS_capget, &m_header, m_saved) == 0;
        if (!m_active)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &=
            ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER);
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionChecks()
    {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionChecks(const PermissionChecks&) = delete;
    PermissionChecks& operator=(const PermissionChecks&) = delete;

    // False when the rights could not be dropped; the test then cannot show what it means to.
    bool IsActive() const { return m_active; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};
