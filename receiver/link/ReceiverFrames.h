// The binary command frames the program sends to the receiver, and the
// typed-token payloads of the set-up commands.
//
// ReceiverCommandFrame (sent):
//   '$', id, ~id, payload length n (16-bit little-endian), n payload bytes,
//   XOR of every byte before it ('$' included).
// ReceiverReplyFrame (received; the dispatcher checks it):
//   '$', id, 255 - id, payload length n (32-bit little-endian), n payload
//   bytes, XOR of every byte before it.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// Frame ids in use.
enum : BYTE {
    RXCMD_WORK_MODE = 30,      // typed
    RXCMD_RESET = 40,          // empty, sent twice
    RXCMD_STATIC_PARAMS = 41,  // typed
    RXCMD_LINK_START = 52,     // empty, sent twice at link start
    RXCMD_STOP_SEARCH = 53,    // "C0", always twice
    RXCMD_AUTO_SEARCH = 54,    // "C1"
    RXCMD_BASE_PARAMS = 57,    // typed; its second half goes as 58
    RXCMD_SHUTDOWN = 81,       // empty, sent twice
};

struct ReceiverCommandFrame {
    // The frame is built in a 256-byte area: 5 header bytes, the payload
    // and the XOR leave room for at most 250 payload bytes.
    static constexpr int kMaxPayload = 250;
    static constexpr int kHeaderSize = 5;

    // The bytes of the frame; empty when the payload is too long.
    static std::vector<BYTE> Build(BYTE id, const BYTE* payload, int length);
};

struct ReceiverReplyFrame {
    static constexpr int kHeaderSize = 7;
};

// The payload of a typed command: the text as 8-bit characters, split at
// single spaces; each token is read by its first letter (either case):
//   a  1 byte: the token's second character
//   c  1 byte: the low byte of the decimal number after the letter
//   i  2 bytes: the number, low byte first
//   l  4 bytes: the number's bytes b1 b0 b3 b2 (b0 least significant)
// Tokens of another letter, empty ones and tokens over 11 characters are
// skipped. Numbers are read as the C library's atol reads them (sign,
// digits, anything after ignored); negative ones go as two's complement.
std::vector<BYTE> TypedCommandPayload(const CString& tokens);
