#pragma once

#include "view/text_position.h"

// A stretch of the displayed text from `start` up to, not including, `end`;
// `start` never comes after `end` in document order.
struct STextRange {
    STextPosition start;
    STextPosition end;

    bool operator==(const STextRange&) const = default;
};
