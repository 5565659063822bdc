// The serial port of the editor: an ISerialPort over QSerialPort. Made, used
// and destroyed on the link's worker thread only; it never waits, it moves
// whatever the device has ready into or out of QSerialPort's buffers.
#pragma once
#include <QSerialPort>

#include "serialport.h"

// The user's words for a device that did not open: the error QSerialPort
// reports, told apart by what the calling user may do with the device.
std::string PortOpenErrorText(const std::string& device, QSerialPort::SerialPortError error,
                              const std::string& systemText);

class QtComPort final : public ISerialPort {
  public:
    PortOpenResult Open(const std::string& device) override;
    std::string OpenError() const override { return m_openError; }
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
    std::string m_openError;
};
