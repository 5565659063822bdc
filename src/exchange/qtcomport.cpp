#include "qtcomport.h"

#include <cerrno>

#include <unistd.h>

#include "comframes.h"

// QSerialPort reports a device the user may not open and one that another
// program holds (its lock file, or the driver's EBUSY) alike: the user's own
// access to the device tells them apart.
std::string PortOpenErrorText(const std::string& device, QSerialPort::SerialPortError error,
                              const std::string& systemText) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return COM_REASON_NO_PORT;
    case QSerialPort::PermissionError:
        if (::access(device.c_str(), F_OK) != 0) return COM_REASON_NO_PORT;
        if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES)
            return COM_REASON_PERMISSION;
        return COM_REASON_BUSY;
    case QSerialPort::OpenError:
        return COM_REASON_BUSY;
    default:
        return systemText.empty() ? std::string(COM_REASON_UNKNOWN) : systemText;
    }
}

PortOpenResult QtComPort::Open(const std::string& device) {
    Close();
    m_port.setPortName(QString::fromLocal8Bit(device.c_str()));
    m_openError.clear();
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openError =
            PortOpenErrorText(device, m_port.error(), m_port.errorString().toLocal8Bit().toStdString());
        return PortOpenResult::NoDevice;
    }
    const bool settled =
        m_port.setBaudRate(QSerialPort::Baud115200) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!settled) {
        m_openError = m_port.errorString().toLocal8Bit().toStdString();
        m_port.close();
        return PortOpenResult::SettingsFailed;
    }
    // DTR and RTS low where the device has them (a pty has neither).
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(false);
    m_port.clearError();
    m_port.clear(QSerialPort::AllDirections);
    m_failed = false;
    return PortOpenResult::Opened;
}

void QtComPort::Close() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::AllDirections);
        m_port.close();
    }
    m_port.clearError();
    m_failed = false;
}

bool QtComPort::Failed() {
    const QSerialPort::SerialPortError error = m_port.error();
    if (error == QSerialPort::TimeoutError)
        m_port.clearError();
    else if (error != QSerialPort::NoError)
        m_failed = true;
    return m_failed;
}

int64_t QtComPort::Queued() {
    if (!m_port.isOpen()) return -1;
    // A zero wait moves what the device holds into the port's buffer.
    m_port.waitForReadyRead(0);
    if (Failed()) return -1;
    return m_port.bytesAvailable();
}

int64_t QtComPort::Read(uint8_t* buffer, size_t count) {
    if (!m_port.isOpen() || Failed()) return -1;
    const qint64 got = m_port.read(reinterpret_cast<char*>(buffer), static_cast<qint64>(count));
    return got < 0 || Failed() ? -1 : got;
}

int64_t QtComPort::Write(const uint8_t* bytes, size_t count) {
    if (!m_port.isOpen() || Failed()) return -1;
    const qint64 taken =
        m_port.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(count));
    if (taken > 0) m_port.waitForBytesWritten(0);
    return taken < 0 || Failed() ? -1 : taken;
}

int64_t QtComPort::Unsent() {
    if (!m_port.isOpen()) return -1;
    if (m_port.bytesToWrite() > 0) m_port.waitForBytesWritten(0);
    if (Failed()) return -1;
    return m_port.bytesToWrite();
}

void QtComPort::Purge(unsigned what) {
    if (!m_port.isOpen()) return;
    // Bytes the device holds but has not handed over yet are dropped too.
    if (what & PURGE_INPUT) {
        m_port.waitForReadyRead(0);
        m_port.clear(QSerialPort::Input);
        m_port.readAll();
    }
    if (what & PURGE_OUTPUT) m_port.clear(QSerialPort::Output);
    Failed();
}
