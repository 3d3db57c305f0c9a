// The message record that window procedures hand to objects: number, WParam, LParam and the Result that a
// handler reports back.
#pragma once

#include "platform/api.h"

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
