#include "merge/report.h"

#include "framework/result.h"
#include "framework/stream.h"
#include "merge/block_selector.h"
#include "merge/merge_model.h"
#include "text/format.h"
#include "translation/translator.h"

namespace {

using NString::NTranslator::Text;

// How each side is marked in the header's Input lines and in the body.
const char* MarkerOf(int side) {
    switch (side) {
    case kSideLeft:
        return ">>--";
    case kSideBase:
        return "-==-";
    default:
        return "--<<";
    }
}

// Collects the report's text and remembers whether any write failed.
class CReportWriter {
public:
    explicit CReportWriter(NIO::CBase& out) : m_out(out) {}

    template <typename... Args> void Line(const char* format, const Args&... args) {
        NString::TStr<char> text;
        m_ok = m_ok && NString::Format(text, format, args...) == 1;
        Put(text.Text());
    }
    void Put(const char* text) {
        m_ok = m_ok && (*text == 0 || m_out.WriteText(text) == NResult::kOk);
    }
    NIO::CBase& Out() { return m_out; }
    void Check(bool ok) { m_ok = m_ok && ok; }
    bool Ok() const { return m_ok; }

private:
    NIO::CBase& m_out;
    bool m_ok = true;
};

const char* TypeKey(const CMergeModel& model) {
    const bool threeWay = model.Context().order.IsThreeWay();
    if (model.IsMerge())
        return threeWay ? "Report.Type3WM" : "Report.Type2WM";
    return threeWay ? "Report.Type3WC" : "Report.Type2WC";
}

void WriteHeader(CReportWriter& writer, const CMergeModel& model,
                 const std::array<SReportFile, 3>& files, const std::tm& time) {
    writer.Line("{0Us}{1Us}", Text("Report.TypeTitle"), Text(TypeKey(model)));
    writer.Line("\r\n{0Us}: {1Z4d}-{2Z2d}-{3Z2d} {4Z2d}:{5Z2d}:{6Z2d}\r\n", Text("Report.Time"),
                time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min,
                time.tm_sec);
    const auto all = static_cast<int>(model.DifferenceCount());
    const int conflicts = model.IsMerge() ? static_cast<int>(model.ConflictCount()) : 0;
    writer.Line("{0Us}: {1d}\r\n", Text("Report.Differences"), all - conflicts);
    writer.Line("{0Us}: {1d}\r\n", Text("Report.Conflicts"), conflicts);
    for (const int side : model.Context().order)
        writer.Line("{0Us}: {1s} {2s} ({3s})\r\n", Text("Report.Input"), MarkerOf(side),
                    files[static_cast<std::size_t>(side)].path,
                    files[static_cast<std::size_t>(side)].displayName);
}

void WriteDifference(CReportWriter& writer, const CMergeModel& model,
                     const std::array<SReportFile, 3>& files, int number,
                     const CBlockSelector& selector) {
    // Left open by the classification: in a merge a conflict, in a three-way
    // compare a place where all three sides differ. A two-way compare has
    // no base to tell either.
    const bool conflict =
        (model.IsMerge() || model.Context().order.IsThreeWay()) && !selector.IsResolved();
    writer.Line("\r\n\r\n{0d}-{1c}: ", number, conflict ? int{'C'} : int{'D'});
    NString::TStr<char> path;
    selector.GetPath(path, model.Context().spec);
    if (!path.IsEmpty())
        writer.Line("<{0s}>", path);
    writer.Put("\r\n");
    for (const int side : model.Context().order) {
        const char* marker = MarkerOf(side);
        writer.Line("{0s} {1s}\r\n{0s}\r\n", marker,
                    files[static_cast<std::size_t>(side)].displayName);
        for (const auto* alternative = selector.FirstChildBlock(); alternative != nullptr;
             alternative = alternative->NextSiblingBlock())
            if (alternative->side == side)
                writer.Check(alternative->WriteIndented(writer.Out(), 1, marker));
        writer.Line("{0s}\r\n", marker);
    }
}

} // namespace

bool WriteReport(NIO::CBase& out, const CMergeModel& model, const std::array<SReportFile, 3>& files,
                 const std::tm& localTime) {
    CReportWriter writer(out);
    WriteHeader(writer, model, files, localTime);
    const auto& differences = model.Differences();
    for (std::uint32_t index = 0; index < differences.Count(); ++index)
        WriteDifference(writer, model, files, static_cast<int>(index) + 1, *differences[index]);
    return writer.Ok();
}
