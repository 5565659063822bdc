#include "receiversim.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds FRAME_GAP{60}; // at least 50 ms
constexpr size_t PACE_SLICE = 64;
const Bytes HELLO{0x02, 0x01, 0x03};
const Bytes UPLOAD_READY{0x02, 0x05, 0x03};
const Bytes TIME_REQUEST{0x02, 0x03, 0x03};
const Bytes DOWNLOAD_DONE{0x02, 0x04, 0x03};
const Bytes GARBAGE{0x55, 0xAA, 0x02, 0x09, 0x7E};
const Bytes END_BYTE{0x00};

uint32_t Le32(const Bytes& bytes, size_t at) {
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
           uint32_t{bytes[at + 3]} << 24;
}

} // namespace

bool ReceiverSim::SendFrame(const Bytes& frame) {
    const int fd = m_pty.Master();
    return fd >= 0 && ::write(fd, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size());
}

bool ReceiverSim::SendData(const uint8_t* data, size_t size) {
    const auto start = Clock::now();
    size_t sent = 0;
    while (sent < size) {
        const int fd = m_pty.Master();
        if (fd < 0) return false;
        size_t slice = size - sent;
        if (m_pace > 0) {
            // A slice goes out when a line at that pace would have delivered
            // its last byte.
            slice = std::min(slice, PACE_SLICE);
            std::this_thread::sleep_until(
                start + std::chrono::microseconds(uint64_t{sent + slice} * 1000000 / m_pace));
        }
        const ssize_t written = ::write(fd, data + sent, slice);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        sent += static_cast<size_t>(written);
    }
    return true;
}

bool ReceiverSim::ReadExact(size_t count, Bytes& out) {
    out.clear();
    const auto deadline = Clock::now() + m_timeout;
    while (out.size() < count) {
        const int fd = m_pty.Master();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (fd < 0 || left.count() <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        uint8_t buffer[4096];
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, count - out.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        out.insert(out.end(), buffer, buffer + got);
    }
    return true;
}

void ReceiverSim::Pause() {
    std::this_thread::sleep_for(FRAME_GAP);
}

bool ReceiverSim::WaitUntilHalfBlockSent(std::chrono::milliseconds bound) {
    const auto deadline = Clock::now() + bound;
    while (!m_halfSent) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool ReceiverSim::Hello(Bytes& reply) {
    return SendFrame(HELLO) && ReadExact(4, reply);
}

UploadReport ReceiverSim::RunUpload(const UploadScript& script) {
    UploadReport report;
    auto fail = [&report](const std::string& what) {
        report.error = what;
        return report;
    };
    if (script.garbageBetweenFrames) {
        if (!SendFrame(GARBAGE)) return fail("garbage not sent");
        Pause();
    }
    if (!SendFrame(HELLO)) return fail("hello not sent");
    if (!ReadExact(4, report.helloReply)) return fail("no hello reply");
    if (script.garbageBetweenFrames) {
        Pause();
        if (!SendFrame(GARBAGE)) return fail("garbage not sent");
    }
    Pause();
    if (!SendFrame(UPLOAD_READY)) return fail("upload-ready not sent");
    for (;;) {
        Bytes head;
        if (!ReadExact(3, head))
            return fail("no request after " + std::to_string(report.requests.size()));
        if (head == Bytes{0x02, 0x07, 0x03}) {
            report.uploadDone = true;
            break;
        }
        Bytes rest;
        if (head[0] != 0x02 || head[1] != 0x06 || !ReadExact(8, rest) || rest[7] != 0x03)
            return fail("malformed request");
        head.insert(head.end(), rest.begin(), rest.end());
        const BlockRequest request{Le32(head, 2), Le32(head, 6)};
        const size_t index = report.requests.size();
        report.requests.push_back(request);
        if (uint64_t{request.offset} + request.length > script.data.size())
            return fail("request past the data");
        const uint8_t* block = script.data.data() + request.offset;
        if (script.fault != BlockFault::None && index == script.faultAt) {
            switch (script.fault) {
            case BlockFault::Short:
                SendData(block, request.length - 1);
                break;
            case BlockFault::Silent:
                break;
            case BlockFault::CloseMaster:
                SendData(block, request.length / 2);
                m_pty.CloseMaster();
                break;
            case BlockFault::StopLink:
                SendData(block, request.length / 2);
                m_halfSent = true;
                break;
            case BlockFault::None:
                break;
            }
            return report; // the link is expected to give up now
        }
        if (!SendData(block, request.length)) return fail("block not sent");
    }
    Pause();
    if (!SendFrame(END_BYTE)) return fail("end byte not sent");
    return report;
}

DownloadReport ReceiverSim::RunDownload(const std::vector<DownloadStep>& steps) {
    DownloadReport report;
    auto fail = [&report](const std::string& what) {
        report.error = what;
        return report;
    };
    if (!SendFrame(HELLO)) return fail("hello not sent");
    if (!ReadExact(4, report.helloReply)) return fail("no hello reply");
    for (const DownloadStep& step : steps) {
        Bytes answer;
        switch (step.kind) {
        case DownloadStep::Data: {
            const Bytes frame{0x02,
                              0x02,
                              static_cast<uint8_t>(step.length),
                              static_cast<uint8_t>(step.length >> 8),
                              static_cast<uint8_t>(step.offset),
                              static_cast<uint8_t>(step.offset >> 8),
                              static_cast<uint8_t>(step.offset >> 16),
                              static_cast<uint8_t>(step.offset >> 24),
                              0x03};
            if (!SendFrame(frame) || !ReadExact(step.length, answer))
                return fail("no data for request " + std::to_string(report.answers.size()));
            report.answers.push_back(answer);
            break;
        }
        case DownloadStep::Time:
            if (!SendFrame(TIME_REQUEST) || !ReadExact(8, answer)) return fail("no time reply");
            report.answers.push_back(answer);
            break;
        case DownloadStep::Garbage:
            if (!SendFrame(GARBAGE)) return fail("garbage not sent");
            Pause();
            break;
        case DownloadStep::Done:
            if (!SendFrame(DOWNLOAD_DONE)) return fail("done not sent");
            Pause();
            if (!SendFrame(END_BYTE)) return fail("end byte not sent");
            break;
        }
    }
    return report;
}
