#include "loaded_operation.h"

#include "merge/block_building.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace NBench {

namespace {

using CClock = std::chrono::steady_clock;

std::u16string Utf16(const std::filesystem::path& path) {
    const std::string text = path.string();
    return std::u16string(text.begin(), text.end());
}

// Measures one step from construction to Stop.
class CStepTimer {
public:
    CStepTimer() : m_start(CClock::now()), m_resident(ResidentKilobytes()) {}
    void Stop(CLoadedOperation::SStep& step) const {
        step.seconds = std::chrono::duration<double>(CClock::now() - m_start).count();
        step.kilobytes = ResidentKilobytes() - m_resident;
    }

private:
    CClock::time_point m_start;
    long m_resident;
};

} // namespace

long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool CLoadedOperation::Load(const std::filesystem::path& folder, bool threeWay, bool merge) {
    context.order.Fill(threeWay);
    context.merge = merge;
    ESpecFileError specError = ESpecFileError::None;
    spec.reset(LoadSpecFile(Utf16(folder / "bench.qmfmt").c_str(), specError));
    if (!spec)
        return false;
    context.spec = spec.get();

    const CStepTimer loading;
    if (left.Load(Utf16(folder / "left.xml").c_str()) != 1 ||
        right.Load(Utf16(folder / "right.xml").c_str()) != 1 ||
        (threeWay && base.Load(Utf16(folder / "base.xml").c_str()) != 1))
        return false;
    loading.Stop(load);

    const CStepTimer matching;
    root.Match(&base, &left, &right, context);
    matching.Stop(match);

    const CStepTimer building;
    BuildModel(model, root, context);
    building.Stop(blocks);
    return true;
}

} // namespace NBench
