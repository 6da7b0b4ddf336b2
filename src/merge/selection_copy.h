#pragma once

#include "framework/str.h"
#include "merge/text_point.h"

#include <string>

class CMergeModel;

// The two forms a copy of the selection takes on the system clipboard.

// The selected characters of the displayed lines, the lines joined with
// "\n"; empty without a selection.
NString::TStr<char16_t> SelectionText(const CMergeModel& model, STextPoint caret,
                                      STextPoint anchor);

// The merged XML (UTF-8) of the whole blocks the selection touches, as the
// merged document writes them. Empty without a selection and when a
// difference among them is unresolved: neither alternative is the result
// yet, and picking one would paste a choice the user never made.
std::string SelectionXML(const CMergeModel& model, STextPoint caret, STextPoint anchor);
