// The serial port of the editor: an ISerialPort over QSerialPort. Made, used
// and destroyed on the link's worker thread only; it never waits, it moves
// whatever the device has ready into or out of QSerialPort's buffers.
#pragma once
#include <QSerialPort>

#include "serialport.h"

class QtComPort final : public ISerialPort {
  public:
    PortOpenResult Open(const std::string& device) override;
    void Close() override;
    int64_t Queued() override;
    int64_t Read(uint8_t* buffer, size_t count) override;
    int64_t Write(const uint8_t* bytes, size_t count) override;
    int64_t Unsent() override;
    void Purge(unsigned what) override;

  private:
    // True once the device reported an error other than a time-out: a
    // vanished device stays failed until it is closed.
    bool Failed();

    QSerialPort m_port;
    bool m_failed = false;
};
