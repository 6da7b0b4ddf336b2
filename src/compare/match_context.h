#pragma once

#include "compare/side_order.h"

class CFileSpec;

// What a match depends on besides the documents: the sides in use, compare
// or merge, and the format specification that says how children match.
struct SMatchContext {
    CSideOrder order;
    bool merge = false;
    // Null matches every element's children in order, identified by name.
    const CFileSpec* spec = nullptr;
    // How many threads may share the matching of a wide tree; 0 for one per
    // processor (up to eight). The match tree is the same whatever it is.
    unsigned threads = 0;
    // Nothing but a report is made of the match (a silent compare): a subtree
    // that every side holds alike, outside any difference, is neither matched
    // below its top nor given blocks there, as a report shows differences only.
    bool reportOnly = false;
};

// The threads that may share matching and building the blocks of `context`:
// `threads` when set, else one per processor, up to eight.
unsigned SharingThreads(const SMatchContext& context);
