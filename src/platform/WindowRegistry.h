#pragma once

#include <QString>

// Where programs of the product register their window titles away from Windows, so that
// they can find each other and ask each other to close: one local socket per title in a
// directory that only the current user can reach. Windows itself needs none of this.
namespace WindowRegistry {

// The per-user private directory (mode 0700, owned by this user, not a symbolic link), created
// when missing; empty when no such directory can be had. Also holds the instance locks.
QString directory();

// The socket path that stands for a window title; empty for an empty title or without a directory.
QString socketPath(const QString &title);

// True when a process listens on the socket path; a file left behind by a dead one is not live.
bool isLive(const QString &socketPath);

// The one request a registrant understands, one line.
inline constexpr char CloseRequest[] = "close\n";
// How long a look-up waits for a registrant to accept; a local accept takes microseconds.
inline constexpr int ConnectTimeoutMs = 200;

#ifndef Q_OS_WIN
// A connected stream socket (close-on-exec, blocking) to the listener on the path, or -1.
int connectTo(const QString &socketPath);
// A non-blocking listening socket bound to the path, reachable by this user only, or -1 with
// errno set. The path must not exist.
int listenOn(const QString &socketPath);
#endif

} // namespace WindowRegistry
