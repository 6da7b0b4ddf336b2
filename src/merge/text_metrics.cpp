#include "merge/text_metrics.h"

#include <atomic>
#include <numeric>

namespace {

const CFixedPitchMetrics kDefaultMetrics;
std::atomic<const CTextMetrics*> g_installed{nullptr};

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// Every character as wide as `width`; a surrogate pair is one character.
void FixedAdvances(std::u16string_view line, int width, std::vector<int>& advances) {
    advances.assign(line.size(), width);
    for (std::size_t unit = 1; unit < line.size(); ++unit) {
        if (IsLowSurrogate(line[unit]) && IsHighSurrogate(line[unit - 1]))
            advances[unit] = 0;
    }
}

} // namespace

void CFixedPitchMetrics::Advances(std::u16string_view line, std::vector<int>& advances) const {
    FixedAdvances(line, kCharWidth, advances);
}

const CTextMetrics& CurrentTextMetrics() {
    const CTextMetrics* installed = g_installed.load();
    return installed != nullptr ? *installed : kDefaultMetrics;
}

const CTextMetrics* InstallTextMetrics(const CTextMetrics* metrics) {
    return g_installed.exchange(metrics);
}

int IndentUnit() {
    return 4 * CurrentTextMetrics().AverageCharWidth();
}

void MeasureAdvances(std::u16string_view line, std::vector<int>& advances) {
    const CTextMetrics& metrics = CurrentTextMetrics();
    if (metrics.IsFixedPitch())
        FixedAdvances(line, metrics.AverageCharWidth(), advances);
    else
        metrics.Advances(line, advances);
    advances.resize(line.size());
}

int TextWidth(std::u16string_view text) {
    std::vector<int> advances;
    MeasureAdvances(text, advances);
    return std::accumulate(advances.begin(), advances.end(), 0);
}
