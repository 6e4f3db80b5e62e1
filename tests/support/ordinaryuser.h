#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

// Root writes into read-only folders and copies read-only files as writable, so a test of what
// an ordinary user meets there would prove nothing when CI runs it as root. This gives up, for
// the test process and every program it starts, the powers that override file permissions.
// True when the permissions now hold for the process (always for an ordinary user).
inline bool actAsOrdinaryUser()
{
    if (::geteuid() == 0) {
        const int overrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER};
        // Out of the bounding set, or the programs the test starts would have them again.
        for (const int capability : overrides) {
            ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0);
            if (::prctl(PR_CAPBSET_READ, capability, 0, 0, 0) != 0)
                return false;
        }
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        if (::syscall(SYS_capget, &header, data) == 0) {
            for (const int capability : overrides) {
                data[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
                data[CAP_TO_INDEX(capability)].permitted &= ~CAP_TO_MASK(capability);
                data[CAP_TO_INDEX(capability)].inheritable &= ~CAP_TO_MASK(capability);
            }
            ::syscall(SYS_capset, &header, data);
        }
    }
    // The proof: a file cannot be made in a folder without write permission.
    const QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked"));
    if (!QDir().mkdir(locked) ||
        !QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner))
        return false;
    QFile probe(locked + QStringLiteral("/probe"));
    const bool written = probe.open(QIODevice::WriteOnly);
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return !written;
}
