// Answers the Yes/No box in place of the user while it lives, and keeps the
// text of every question asked.
#pragma once

#include <string>
#include <vector>

#include "support/assertion.h"

class boxRecorder {
public:
    boxRecorder();
    ~boxRecorder();
    boxRecorder(const boxRecorder&) = delete;
    boxRecorder& operator=(const boxRecorder&) = delete;

    std::vector<std::string> texts;

private:
    yesNoBox previous;
};
