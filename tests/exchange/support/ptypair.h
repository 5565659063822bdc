// A pseudo-terminal pair standing in for a serial cable: the link opens the
// slave by its path, the receiver simulator speaks on the master. Raw mode,
// no echo. The pair keeps a slave descriptor of its own so that the master
// sees no hang-up while the link's port is closed.
#pragma once
#include <atomic>
#include <string>

class PtyPair {
  public:
    PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;
    ~PtyPair();

    bool IsOpen() const { return m_master >= 0 && !m_slavePath.empty(); }
    int Master() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }
    // Pulls the cable: the link's reads and writes fail from now on.
    void CloseMaster();

  private:
    std::atomic<int> m_master{-1};
    int m_slave = -1;
    std::string m_slavePath;
};
