// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#if !defined(Q_OS_WIN)
#include <sys/mount.h>
#endif

// A small file system that fills up for real: a tmpfs of a few pages mounted on a new
// folder, so writes end short and then fail with "No space left on device" exactly as on
// a full disk. Mounting needs root (CAP_SYS_ADMIN); where it is refused, mounted() is false
// and why() says so, for a QSKIP. Unmounted when it goes. Windows has no such disk to mount:
// there, mounted() is always false.
class SmallDisk {
public:
    // bytes is rounded up to whole pages by the file system.
    SmallDisk(const QString &folder, qint64 bytes)
        : m_folder(folder) {
        if (!QDir().mkpath(folder)) {
            m_why = QStringLiteral("cannot create %1").arg(folder);
            return;
        }
#if defined(Q_OS_WIN)
        Q_UNUSED(bytes);
        m_why = QStringLiteral("no small file system can be mounted on Windows");
#else
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                    options.constData()) != 0) {
            m_why = QStringLiteral("cannot mount a small tmpfs (%1); needs root")
                        .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
#endif
    }
    ~SmallDisk() {
#if !defined(Q_OS_WIN)
        // Detached if something still holds a file open there, so no mount outlives a test.
        const QByteArray folder = QFile::encodeName(m_folder);
        if (m_mounted && ::umount(folder.constData()) != 0)
            ::umount2(folder.constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const {
        return m_mounted;
    }
    QString why() const {
        return m_why;
    }
    QString filePath(const QString &name) const {
        return QDir(m_folder).filePath(name);
    }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_why;
};
