// The receiving side of inter-process messages: a registered window message
// whose lParam is the offset of a record in the shared area. Inert in this
// program: no message number is registered, so nothing is ever received.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/shareMem.h"

constexpr int MAX_KELVMSG_SIZE = 1000;
constexpr std::size_t ipcHeaderSize = 24;

// A record in a shared buffer, little-endian. ipcPtr holds an address, so it
// is pointer-sized; the other fields are 32-bit, at fixed offsets. The
// header is the first 24 bytes; a private copy is msgSize + 24 bytes long.
struct ipcMsg {
    std::int32_t firstWord;   // carried unchanged between sender and handler
    std::int32_t secondWord;  // carried unchanged between sender and handler
    std::int32_t rtnSize;     // answer size wanted; 0 none (handed on as -1)
    std::int32_t msgSize;     // >= 1: payload bytes waiting in a temporary file
    ipcMsg* ipcPtr;           // copy: its shared record; shared: 0 once answered
    char body[SHAREBUF_SIZE - ipcHeaderSize];  // file name, or a copy's payload
};

static_assert(offsetof(ipcMsg, firstWord) == 0, "record layout");
static_assert(offsetof(ipcMsg, secondWord) == 4, "record layout");
static_assert(offsetof(ipcMsg, rtnSize) == 8, "record layout");
static_assert(offsetof(ipcMsg, msgSize) == 12, "record layout");
static_assert(offsetof(ipcMsg, ipcPtr) == 16, "record layout");
static_assert(offsetof(ipcMsg, body) == ipcHeaderSize, "record layout");
static_assert(sizeof(ipcMsg) == SHAREBUF_SIZE, "a record fills one shared buffer");

// The registered message number; 0 (none) matches no message.
extern unsigned ipcMsgNumber;

// 0 when message is not the inter-process message; else 1, with the record
// for the handler (a private copy when a payload came with it) and wParam.
int ipcMsgReceive(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, ipcMsg** record,
                  std::uintptr_t* wParamOut);

// After the handler: writes the answer back or frees the shared buffer, and
// frees a private copy.
void ipcMsgDone(ipcMsg* record);
