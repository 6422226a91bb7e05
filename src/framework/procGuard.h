// Win32 calls window and dialog procedures from C: an exception that unwinds
// back into it is undefined behaviour, and operator new, strings and
// containers can all throw inside a handler. Every procedure therefore runs
// its body through guardedCall, which stops any exception there, reports it
// through the assertion box with the procedure and the message, and answers
// the message with a safe default.
#pragma once

#include <windows.h>

#include <exception>

#include "support/assertion.h"

template <typename Result, typename Body>
Result guardedCall(const char* context, UINT message, Result fallback, Body body) noexcept {
    try {
        return body();
    } catch (const std::exception& e) {
        exceptionFail(e.what(), context, message);
    } catch (...) {
        exceptionFail("unknown exception", context, message);
    }
    return fallback;
}
