// Bytes of the transfer protocol's frames: a start byte, a command byte, the
// command's fields (little-endian) and, for most frames, an end byte.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint8_t COM_STX = 0x02;
constexpr uint8_t COM_ETX = 0x03;

// Receiver to PC.
constexpr uint8_t COM_CMD_HELLO = 0x01;
constexpr uint8_t COM_CMD_DATA_REQUEST = 0x02; // 02 02, length u16, offset u32
constexpr uint8_t COM_CMD_TIME_REQUEST = 0x03;
constexpr uint8_t COM_CMD_DOWNLOAD_DONE = 0x04;
constexpr uint8_t COM_CMD_UPLOAD_READY = 0x05;
// PC to receiver (the hello reply repeats COM_CMD_HELLO).
constexpr uint8_t COM_CMD_BLOCK_REQUEST = 0x06; // 02 06, length u32, offset u32, 03
constexpr uint8_t COM_CMD_UPLOAD_DONE = 0x07;
constexpr uint8_t COM_CMD_TIME_REPLY = 0x03;

// Hello reply codes: 02 01, code, 03.
constexpr uint8_t COM_REPLY_DOWNLOAD_PROGRAM = 0xA1;
constexpr uint8_t COM_REPLY_DOWNLOAD_CHANNEL = 0xA2;
constexpr uint8_t COM_REPLY_DOWNLOAD_KEY = 0xA3;
constexpr uint8_t COM_REPLY_UPLOAD_CHANNEL = 0xB2;
constexpr uint8_t COM_REPLY_UPLOAD_KEY = 0xB3;

constexpr size_t COM_HELLO_SIZE = 3;
constexpr size_t COM_HELLO_REPLY_SIZE = 4;
constexpr size_t COM_DATA_REQUEST_SIZE = 8;
constexpr size_t COM_BLOCK_REQUEST_SIZE = 11;
constexpr size_t COM_UPLOAD_DONE_SIZE = 3;

// The worker reads at most this many bytes a turn; a frame must begin at the
// first of them.
constexpr size_t COM_READ_CHUNK = 10;

// Upload sizes: the containers of the 0xA0000-byte flash image and of the
// 0x10000 bytes of key data; blocks are asked for at most 4096 bytes at a time.
constexpr uint32_t COM_UPLOAD_CHANNEL_SIZE = 655581;
constexpr uint32_t COM_UPLOAD_KEY_SIZE = 65631;
constexpr uint32_t COM_BLOCK_SIZE = 4096;

// Worker states.
constexpr uint8_t COM_STATE_WAIT_HELLO = 0;
constexpr uint8_t COM_STATE_UPLOAD = 2;
constexpr uint8_t COM_STATE_DOWNLOAD = 3;
constexpr uint8_t COM_STATE_FINISHED = 5;

// Texts of the link and the worker.
constexpr const char* COM_MESSAGE_CAPTION = "Quorvandelix";
constexpr const char* COM_TEXT_CREATE_FAIL = "CreateFile FAIL";
constexpr const char* COM_TEXT_SETUP_FAIL = "Open CommPort fail";
constexpr const char* COM_TEXT_FILE_OPEN_ERROR = "File Open Error";
constexpr const char* COM_TEXT_RECEIVE_ERROR = "Data Receive Error";
constexpr const char* COM_TEXT_SEND_ERROR = "Data Send Error";
constexpr const char* COM_TEXT_COMPLETE = "Communication Complete";
constexpr const char* COM_TEXT_NO_PROGRAM_UPLOAD = "Program cannot be uploaded.";

// Why a port did not open, and the wait after it did, as the transfer
// dialog's port line tells them.
constexpr const char* COM_REASON_NO_PORT = "no such port";
constexpr const char* COM_REASON_PERMISSION =
    "permission denied (add yourself to the dialout group)";
constexpr const char* COM_REASON_BUSY = "busy";
constexpr const char* COM_REASON_UNKNOWN = "cannot be opened";
constexpr const char* COM_REASON_NO_ANSWER = "did not open in time";
constexpr const char* COM_TEXT_WAITING = "waiting for the receiver on COM%u";
