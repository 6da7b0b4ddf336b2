#include "app/operation_report.h"

#include "merge/operation.h"
#include "merge/report.h"

#include <ctime>

namespace {

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::array<SReportFile, 3> ReportFiles(const COperation& operation) {
    std::array<SReportFile, 3> files;
    for (std::size_t side = 0; side < files.size(); ++side)
        files[side] = {operation.files[side].path.Text(), operation.files[side].DisplayName()};
    return files;
}

} // namespace

bool WriteOperationReport(NIO::CBase& out, const COperation& operation) {
    return WriteReport(out, operation.model, ReportFiles(operation), LocalTimeNow());
}
