#include "ptypair.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair() {
    int master = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B115200);
    cfsetospeed(&raw, B115200);
    if (::openpty(&master, &m_slave, name, &raw, nullptr) != 0) return;
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_master = master;
    m_slavePath = name;
}

PtyPair::~PtyPair() {
    CloseMaster();
    if (m_slave >= 0) ::close(m_slave);
}

void PtyPair::CloseMaster() {
    const int master = m_master.exchange(-1);
    if (master >= 0) ::close(master);
}
