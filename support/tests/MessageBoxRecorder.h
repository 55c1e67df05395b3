#pragma once
// Records every message box shown while it lives; each answers OK.

#include <vector>

#include "rtl/MessageBox.h"

struct TMessageBoxRecorder {
    std::vector<TMessageBoxRequest> Boxes;
    TScopedMessageBoxHook Hook{[this](const TMessageBoxRequest& Request) {
        Boxes.push_back(Request);
        return IDOK;
    }};
};
