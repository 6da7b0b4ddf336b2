#pragma once

#include "framework/str.h"

#include <cstdint>

class CMergeModel;

// The short summary of an operation shown beside the toolbar (or in the
// title when the toolbar is hidden), such as "2 differences + 1 conflict".
// `differences` counts every entry of the difference list and `conflicts` the
// unresolved ones among them. A compare counts every entry as a difference;
// a merge counts the conflicts apart and always names them, so that "0
// conflicts" tells the user the merge is ready to save. Empty when a compare
// found nothing.
NString::TStr<char16_t> CountText(std::uint32_t differences, std::uint32_t conflicts, bool merge);
NString::TStr<char16_t> CountText(const CMergeModel& model);
