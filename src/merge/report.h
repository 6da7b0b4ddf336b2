#pragma once

#include <array>
#include <ctime>

namespace NIO {
class CBase;
}

class CMergeModel;

// One input file as the report names it (UTF-16): the path as it was given,
// and the name shown for it.
struct SReportFile {
    const char16_t* path = u"";
    const char16_t* displayName = u"";
};

// Appends the plain-text report of an operation to `out` (UTF-8, CRLF line
// ends): the kind of operation, `localTime`, the counts, the input files in
// side order, then every difference with each side's version of it. `files`
// is indexed by side: base, left, right. A difference the classification
// left open is headed "C" in a merge and in a three-way compare; in a compare
// the counts still take every difference as a difference and none as a
// conflict. False when `out` fails.
bool WriteReport(NIO::CBase& out, const CMergeModel& model, const std::array<SReportFile, 3>& files,
                 const std::tm& localTime);
